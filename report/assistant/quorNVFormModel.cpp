#include "report/assistant/quorNVFormModel.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>

#include "report/text/quorLittleEndian.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

// Value types of the stream that the forms use.
enum : uint8_t {
  kInt8 = 2,
  kInt16 = 3,
  kInt32 = 4,
  kString = 6,
  kIdent = 7,
  kFalse = 8,
  kTrue = 9,
  kLongString = 12,
};

constexpr std::string_view kSignature = "TPF0";
// Forms hold their items one level down; a stream nested deeper than this
// is not a form (and must not exhaust the stack).
constexpr int kMaxNesting = 16;
// A resource's line-break mark inside an edit's text.
constexpr std::string_view kLineBreakMark = "%lf%";

std::string ReplaceAll(std::string text, std::string_view what, std::string_view with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

std::optional<NVItemKind> KindOfClass(std::string className) {
  if (className.empty()) return std::nullopt;
  className[0] = 'T';  // the resource names the interfaces, "INVButton"
  static const std::pair<std::string_view, NVItemKind> kClasses[] = {
      {"TNVButton", NVItemKind::Button}, {"TNVLabel", NVItemKind::Label},     {"TNVEdit", NVItemKind::Edit},
      {"TNVCheckBox", NVItemKind::CheckBox}, {"TNVImage", NVItemKind::Image}};
  for (const auto& [name, kind] : kClasses)
    if (SameText(className, name)) return kind;
  return std::nullopt;
}

NVItem Button(std::string_view name, std::string_view caption) {
  NVItem b;
  b.kind = NVItemKind::Button;
  b.name = name;
  b.caption = caption;
  return b;
}

// A number too large for 32 bits stops at the largest one.
int32_t IntText(std::string_view text) {
  constexpr int64_t kLargest = std::numeric_limits<int32_t>::max();
  int64_t value = 0;
  bool negative = false;
  size_t i = 0;
  if (i < text.size() && text[i] == '-') negative = true, ++i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min(kLargest, value * 10 + (text[i] - '0'));
  return int32_t(negative ? -value : value);
}

// Reads the stream, filling the form as far as it goes.
class Reader {
public:
  Reader(std::string_view data, NVFormModel& form) : data_(data), form_(form) {}

  // False with `error` set when the stream holds something the forms do not.
  bool Object(std::string& error, int depth = 0) {
    if (depth > kMaxNesting) {
      error = "Internal error: Invalid assistant resource (nesting).";
      return false;
    }
    const auto className = ShortText(), objectName = className ? ShortText() : std::nullopt;
    if (!objectName) return Truncated(error);
    const std::optional<NVItemKind> kind = KindOfClass(*className);
    NVItem* item = nullptr;
    if (kind) item = Place(*kind, *objectName);
    else form_.name = *objectName;  // the root object: the form itself
    for (;;) {
      const auto name = ShortText();
      if (!name) return Truncated(error);
      if (name->empty()) break;
      std::string value;
      if (!Value(value, error)) return false;
      if (item) item->SetProperty(*name, value);
      else FormProperty(*name, value);
    }
    for (;;) {
      if (at_ >= data_.size()) return Truncated(error);
      if (data_[at_] == 0) {
        ++at_;
        return true;
      }
      if (!Object(error, depth + 1)) return false;
    }
  }

private:
  NVItem* Place(NVItemKind kind, std::string name) {
    if (SameText(name, "AbortBtn")) name = kCancelBtn;
    if (kind == NVItemKind::Button)
      if (NVItem* standard = form_.Find(name); standard && standard->kind == NVItemKind::Button) return standard;
    NVItem item;
    item.kind = kind;
    item.name = name;
    if (kind == NVItemKind::Button) item.caption = name;
    form_.items.push_back(std::move(item));
    return &form_.items.back();
  }

  void FormProperty(std::string_view name, const std::string& value) {
    if (SameText(name, "MinWidth")) form_.minWidth = IntText(value);
    else if (SameText(name, "Message")) form_.message = value;
    else if (SameText(name, "ActiveControl")) form_.activeControl = value;
    else if (SameText(name, "Timer")) form_.timer = IntText(value);
    else if (SameText(name, "OnAction")) form_.onAction = value;
  }

  std::optional<std::string> ShortText() {
    if (at_ >= data_.size()) return std::nullopt;
    const size_t length = static_cast<uint8_t>(data_[at_]);
    if (at_ + 1 + length > data_.size()) return std::nullopt;
    std::string text(data_.substr(at_ + 1, length));
    at_ += 1 + length;
    return text;
  }

  bool Value(std::string& value, std::string& error) {
    if (at_ >= data_.size()) return Truncated(error);
    const uint8_t type = static_cast<uint8_t>(data_[at_++]);
    const auto integer = [&](size_t bytes) {
      if (at_ + bytes > data_.size()) return false;
      int64_t v = 0;
      if (bytes == 1) v = static_cast<int8_t>(data_[at_]);
      if (bytes == 2) v = static_cast<int16_t>(LoadLe16(Bytes(at_)));
      if (bytes == 4) v = static_cast<int32_t>(LoadLe32(Bytes(at_)));
      at_ += bytes;
      value = std::to_string(v);
      return true;
    };
    switch (type) {
      case kInt8: return integer(1) || Truncated(error);
      case kInt16: return integer(2) || Truncated(error);
      case kInt32: return integer(4) || Truncated(error);
      case kString:
      case kIdent: {
        const auto text = ShortText();
        if (!text) return Truncated(error);
        value = *text;
        return true;
      }
      case kFalse: value = "false"; return true;
      case kTrue: value = "true"; return true;
      case kLongString: {
        if (at_ + 4 > data_.size()) return Truncated(error);
        const uint32_t length = LoadLe32(Bytes(at_));
        if (length > data_.size() - at_ - 4) return Truncated(error);
        value = std::string(data_.substr(at_ + 4, length));
        at_ += 4 + length;
        return true;
      }
      default: {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", type);
        error = std::string("Internal error: Invalid assistant resource (") + hex + ").";
        return false;
      }
    }
  }

  const unsigned char* Bytes(size_t at) const { return reinterpret_cast<const unsigned char*>(data_.data() + at); }

  static bool Truncated(std::string& error) {
    error = "Internal error: Invalid assistant resource (truncated).";
    return false;
  }

  std::string_view data_;
  NVFormModel& form_;
  size_t at_ = 0;
};

}  // namespace

bool NVBoolText(std::string_view text) { return SameText(text, "yes") || SameText(text, "true") || text == "1"; }

bool NVItem::SetProperty(std::string_view p, std::string_view value) {
  const std::string v(value);
  if (SameText(p, "Enabled")) enabled = NVBoolText(v);
  else if (SameText(p, "Spacing")) spacing = IntText(v);
  else if (SameText(p, "OutputName")) outputName = v;
  else if (SameText(p, "OutputType"))
    outputType = FindText(v, "ownSection") != std::string_view::npos ? NVOutputType::OwnSection : NVOutputType::Header;
  else if (kind == NVItemKind::Button && SameText(p, "Caption")) caption = v;
  else if (kind == NVItemKind::Button && SameText(p, "MinWidth")) minWidth = IntText(v);
  else if (kind == NVItemKind::Button && SameText(p, "NoOwnerDraw")) noOwnerDraw = NVBoolText(v);
  else if (kind == NVItemKind::Button && SameText(p, "Visible")) visible = NVBoolText(v);
  else if (kind == NVItemKind::Label && SameText(p, "Caption")) caption = v;
  else if (kind == NVItemKind::Edit && SameText(p, "Text")) text = ReplaceAll(v, kLineBreakMark, "\r\n");
  else if (kind == NVItemKind::Edit && SameText(p, "Lines")) lines = std::max(1, IntText(v));
  else if (kind == NVItemKind::Edit && SameText(p, "Optional")) optional = NVBoolText(v);
  else if (kind == NVItemKind::Edit && SameText(p, "Colored")) colored = NVBoolText(v);
  else if (kind == NVItemKind::Edit && SameText(p, "Valid")) valid = NVBoolText(v);
  else if (kind == NVItemKind::CheckBox && (SameText(p, "Caption") || SameText(p, "Text"))) caption = v;
  else if (kind == NVItemKind::CheckBox && SameText(p, "Checked")) checked = NVBoolText(v);
  else if (kind == NVItemKind::Image && SameText(p, "Width")) width = IntText(v);
  else if (kind == NVItemKind::Image && SameText(p, "Height")) height = IntText(v);
  else if (kind == NVItemKind::Image && SameText(p, "File")) file = v;
  else if (kind == NVItemKind::Image && SameText(p, "Clickable")) clickable = NVBoolText(v);
  else if (kind == NVItemKind::Image && SameText(p, "Border")) border = NVBoolText(v);
  else return false;
  return true;
}

bool NVItem::Complete() const {
  return kind != NVItemKind::Edit || optional || (valid && !text.empty());
}

NVItem* NVFormModel::Find(std::string_view itemName) {
  for (NVItem& item : items)
    if (SameText(item.name, itemName)) return &item;
  return nullptr;
}

const NVItem* NVFormModel::Find(std::string_view itemName) const {
  return const_cast<NVFormModel*>(this)->Find(itemName);
}

bool NVFormModel::ContinueAllowed() const {
  for (const NVItem& item : items)
    if (!item.Complete()) return false;
  return true;
}

NVFormModel EmptyNVForm() {
  NVFormModel form;
  form.items = {Button(kContinueBtn, "Next >"), Button(kSkipBtn, "Skip"), Button(kCancelBtn, "Cancel")};
  return form;
}

NVFormRead ReadNVForm(std::string_view resource) {
  NVFormRead read{EmptyNVForm(), {}};
  if (resource.substr(0, kSignature.size()) == kSignature) resource.remove_prefix(kSignature.size());
  Reader reader(resource, read.form);
  (void)reader.Object(read.error);
  return read;
}

AssistantResults CollectAssistantResults(const std::vector<NVFormModel>& forms) {
  AssistantResults results;
  for (const NVFormModel& form : forms) {
    if (form.modalResult != nvmrContinue) continue;
    for (const NVItem& item : form.items) {
      if (item.outputName.empty()) continue;
      if (item.kind == NVItemKind::Edit && !item.text.empty()) {
        // Only a memo of several lines has a section of its own.
        if (item.outputType == NVOutputType::OwnSection && item.lines > 1)
          results.sections.emplace_back(item.outputName, item.text);
        else
          results.headers.emplace_back(item.outputName, item.text);
      } else if (item.kind == NVItemKind::CheckBox) {
        results.headers.emplace_back(item.outputName, item.checked ? "yes" : "no");
      }
    }
  }
  return results;
}

}  // namespace quor
