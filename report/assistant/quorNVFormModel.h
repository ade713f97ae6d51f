// The assistant forms as data: the items a form resource describes, their
// properties, whether Continue may be pressed, and what a finished form
// gives the report. The forms' windows show and edit this model.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quor {

enum class NVItemKind : uint8_t { Button, Label, Edit, CheckBox, Image };
enum class NVOutputType : uint8_t { Header, OwnSection };

// The three buttons every form has, first in its item list.
inline constexpr std::string_view kContinueBtn = "ContinueBtn";
inline constexpr std::string_view kSkipBtn = "SkipBtn";
inline constexpr std::string_view kCancelBtn = "CancelBtn";

// A form's modal result.
enum NVModalResult : int32_t { nvmrNone = 0, nvmrContinue = 1, nvmrSkip = 2, nvmrCancel = 3 };

struct NVItem {
  NVItemKind kind = NVItemKind::Label;
  std::string name;
  bool enabled = true;
  int32_t spacing = 0;  // pixels below the item; 0: automatic
  NVOutputType outputType = NVOutputType::Header;
  std::string outputName;  // empty: not reported
  // Buttons, labels and check boxes.
  std::string caption;
  int32_t minWidth = 0;
  bool noOwnerDraw = false, visible = true;
  // Edits.
  std::string text;
  int32_t lines = 1;
  bool optional = false, colored = false, valid = true;
  // Check boxes.
  bool checked = false;
  // Images.
  int32_t width = 0, height = 0;
  std::string file;
  bool clickable = false, border = false;

  // Sets a property from its text; false when the item has no such property.
  bool SetProperty(std::string_view property, std::string_view value);
  // An edit is complete when optional, or valid and not empty.
  bool Complete() const;
};

struct NVFormModel {
  std::string name;
  std::string message;
  int32_t minWidth = 0;
  int32_t timer = 0;  // milliseconds; 0: none
  std::string activeControl, onAction;
  std::vector<NVItem> items;  // ContinueBtn, SkipBtn, CancelBtn, then the resource's items
  int32_t modalResult = nvmrNone;

  NVItem* Find(std::string_view itemName);
  const NVItem* Find(std::string_view itemName) const;
  // Continue is enabled only when every item is complete.
  bool ContinueAllowed() const;
};

// A form with only its three buttons ("Next >", "Skip", "Cancel").
[[nodiscard]] NVFormModel EmptyNVForm();

// Reads a form resource (a "TPF0" stream). An unknown value type stops the
// reading: the form keeps what was read, and `error` holds the message the
// user is shown.
struct NVFormRead {
  NVFormModel form;
  std::string error;
};
[[nodiscard]] NVFormRead ReadNVForm(std::string_view resource);

// Boolean property texts: "yes", "true" (without regard to case) or "1".
[[nodiscard]] bool NVBoolText(std::string_view text);

// What the forms finished with Continue give the report: header fields
// (name, value) and own sections (name, text).
struct AssistantResults {
  std::vector<std::pair<std::string, std::string>> headers, sections;
};
[[nodiscard]] AssistantResults CollectAssistantResults(const std::vector<NVFormModel>& forms);

}  // namespace quor
