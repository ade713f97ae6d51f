// The settings objects through which the reporter reads its configuration.
// Getters follow one rule: the module's own property, else (for the main
// settings) the built-in default, else (for other modules) the main
// settings' value; texts come with their placeholders expanded except
// %exceptMsg% and %bugReport%, which the exception object fills in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "report/settings/quorAssistantDefinition.h"
#include "report/settings/quorAttachments.h"
#include "report/settings/quorFields.h"
#include "report/settings/quorSettingsNames.h"
#include "report/settings/quorUnknown.h"

namespace quor {

class IQuorSettings : public IQuorUnknown {
public:
  // By-name access.
  virtual bool BoolValue(std::string_view name) = 0;
  virtual int32_t IntValue(std::string_view name) = 0;
  virtual std::string TextValue(std::string_view name) = 0;  // placeholders expanded
  virtual std::string UnexpandedText(std::string_view name) = 0;
  uint32_t UIntValue(std::string_view name) { return uint32_t(IntValue(name)); }
  // Setters store and return true unless the module has no settings resource
  // or the stored property of that name has another kind. A name not yet
  // stored becomes a new property of the setter's kind.
  virtual bool SetBoolValue(std::string_view name, bool value) = 0;
  virtual bool SetIntValue(std::string_view name, int32_t value) = 0;
  virtual bool SetTextValue(std::string_view name, std::string_view value) = 0;

  virtual uintptr_t Module() = 0;
  virtual std::string Version() = 0;

  // Filled from AddFields on first request; writes itself back after changes.
  virtual QuorPtr<IQuorFieldsEx> Fields() = 0;
  // Filled from AddAttachs on first request; writes itself back after changes.
  virtual QuorPtr<IQuorAttachments> Attachments() = 0;
  // Values stored by the assistants' forms, kept while the object lives.
  virtual QuorPtr<IQuorFieldsEx> FormCache() = 0;

  bool Plugin(std::string_view name);
  bool SetPlugin(std::string_view name, bool on);

  // The definition named so among Assistant1, Assistant2, ... (without regard
  // to case); "ScrShotForm" left out when no screenshot can be taken.
  std::optional<AssistantDefinition> Assistant(std::string_view name);
  virtual bool ScreenshotsAvailable() = 0;

#define QUOR_GETTER_BOOL(N) \
  bool N() { return BoolValue(#N); }
#define QUOR_GETTER_INT(N) \
  int32_t N() { return IntValue(#N); }
#define QUOR_GETTER_TEXT(N) \
  std::string N() { return TextValue(#N); }
#define QUOR_SETTER_BOOL(N) \
  bool Set##N(bool v) { return SetBoolValue(#N, v); }
#define QUOR_SETTER_INT(N) \
  bool Set##N(int32_t v) { return SetIntValue(#N, v); }
#define QUOR_SETTER_TEXT(N) \
  bool Set##N(std::string_view v) { return SetTextValue(#N, v); }
#define QUOR_GETTER(KIND, N, DEFAULT) QUOR_GETTER_##KIND(N)
#define QUOR_GETTER_SETTER(KIND, N, DEFAULT) QUOR_GETTER_##KIND(N) QUOR_SETTER_##KIND(N)
  QUOR_EXCEPTION_SETTINGS(QUOR_GETTER_SETTER)
  QUOR_LIST_SETTINGS(QUOR_GETTER)
};

class IQuorModuleSettings : public IQuorSettings {
public:
  virtual bool Valid() = 0;  // the module has a settings resource
  bool HasMinDebugInfo() { return !TextValue("MinDebugInfo").empty(); }
  QUOR_MODULE_SETTINGS(QUOR_GETTER)
  QUOR_FILTER_GROUP_SETTINGS(QUOR_GETTER_SETTER)
  // Reads the module's settings resource again; changes made are lost.
  virtual void Reload() = 0;
};

#undef QUOR_GETTER_BOOL
#undef QUOR_GETTER_INT
#undef QUOR_GETTER_TEXT
#undef QUOR_SETTER_BOOL
#undef QUOR_SETTER_INT
#undef QUOR_SETTER_TEXT
#undef QUOR_GETTER
#undef QUOR_GETTER_SETTER

}  // namespace quor
