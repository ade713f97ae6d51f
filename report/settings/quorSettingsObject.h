// TIQuorSettings: the settings object of one module over its shared property
// record. The platform side (shared buffer, resources, file names, clock)
// comes in through SettingsHost, so the rules here run anywhere.
#pragma once

#include <cstdint>
#include <string>

#include "report/settings/quorSettings.h"
#include "report/settings/quorSettingsProperty.h"

namespace quor {

class SettingsHost {
public:
  virtual const SettingsHeap& Heap() = 0;
  // The lock of the shared record list; held while a setter adds a property.
  virtual void LockRecords() = 0;
  virtual void UnlockRecords() = 0;
  // Drops one reference on the record (freeing it with the last one).
  virtual void ReleaseRecord(ModuleSettingsRecord* record) = 0;
  // Frees the record's properties and reads the module's resource again.
  virtual void ReloadRecord(ModuleSettingsRecord* record) = 0;
  virtual std::string ExpandPlaceholders(uintptr_t module, std::string_view text, std::string_view exceptMsg,
                                         std::string_view bugReport) = 0;

protected:
  ~SettingsHost() = default;
};

class TIQuorSettings : public QuorRefCounted<IQuorModuleSettings>,
                       private IQuorFieldsOwner,
                       private IQuorAttachmentsOwner {
public:
  // Takes over one reference on `record` (null: no record at all).
  TIQuorSettings(SettingsHost& host, uintptr_t module, ModuleSettingsRecord* record, bool valid, std::string version);
  // Settings of their own over `parent`: setters store into a private
  // property list, getters look there first and then ask the parent. An
  // exception object changes its settings this way without touching the
  // module's.
  TIQuorSettings(SettingsHost& host, QuorPtr<IQuorModuleSettings> parent);

  bool BoolValue(std::string_view name) override;
  int32_t IntValue(std::string_view name) override;
  std::string TextValue(std::string_view name) override;
  std::string UnexpandedText(std::string_view name) override;
  bool SetBoolValue(std::string_view name, bool value) override;
  bool SetIntValue(std::string_view name, int32_t value) override;
  bool SetTextValue(std::string_view name, std::string_view value) override;
  uintptr_t Module() override { return module_; }
  std::string Version() override { return version_; }
  QuorPtr<IQuorFieldsEx> Fields() override;
  QuorPtr<IQuorFieldsEx> FormCache() override;
  QuorPtr<IQuorAttachments> Attachments() override;
  bool ScreenshotsAvailable() override { return IntValue("ScrShotDepth") != 0; }
  bool Valid() override { return valid_; }
  void Reload() override;

  ModuleSettingsRecord* Record() const { return record_; }

protected:
  ~TIQuorSettings() override;
  SettingsHost& Host() { return host_; }

private:
  void FieldsChanged(IQuorFields& fields) override;
  void AttachmentsChanged(const std::vector<AttachmentEntry>& entries) override;
  // The property this object reads: its own, or for the main settings the
  // built-in default; null when neither has the name.
  const SettingsProperty* Lookup(std::string_view name);
  bool IsMain();
  // Where a name not found here is looked up: the parent, else for a module
  // other than the main one the main settings; null for the main settings.
  QuorPtr<IQuorModuleSettings> Fallback();
  SettingsProperty* Writable(std::string_view name, SettingsKind kind);

  SettingsHost& host_;
  uintptr_t module_;
  ModuleSettingsRecord* record_;
  bool valid_;
  std::string version_;
  QuorPtr<IQuorModuleSettings> parent_;
  bool ownsRecord_ = false;
  QuorPtr<IQuorFieldsEx> fields_;
  QuorPtr<IQuorFieldsEx> formCache_;
  QuorPtr<IQuorAttachments> attachments_;
};

// The main settings: those of the module that contains this copy of the
// reporter, set at start-up. Until then every settings object counts as
// main and falls back on the built-in defaults.
void SetMainSettings(QuorPtr<IQuorModuleSettings> settings);
[[nodiscard]] QuorPtr<IQuorModuleSettings> MainSettings();

}  // namespace quor
