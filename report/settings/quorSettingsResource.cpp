#include "report/settings/quorSettingsResource.h"

#include <string_view>

#include "report/codec/quorScramble.h"
#include "report/text/quorLittleEndian.h"

namespace quor {
namespace {

class Cursor {
public:
  Cursor(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Byte(uint8_t& out) {
    if (pos_ >= size_) return false;
    out = data_[pos_++];
    return true;
  }
  bool Bytes(uint64_t n, std::string_view& out) {
    if (n > size_ - pos_) return false;
    out = std::string_view(reinterpret_cast<const char*>(data_ + pos_), size_t(n));
    pos_ += size_t(n);
    return true;
  }
  bool Le(size_t width, uint32_t& out) {
    std::string_view raw;
    if (!Bytes(width, raw)) return false;
    out = 0;
    for (size_t i = 0; i < width; ++i) out |= uint32_t(uint8_t(raw[i])) << (8 * i);
    return true;
  }
  bool ShortString(std::string_view& out) {
    uint8_t length;
    return Byte(length) && Bytes(length, out);
  }

private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// UTF-16 code units below 256 keep their value; others cannot be 8-bit text
// without a code page and become "?".
std::string NarrowUtf16(std::string_view raw) {
  std::string out(raw.size() / 2, '\0');
  for (size_t i = 0; i < out.size(); ++i) {
    const uint16_t unit = uint16_t(uint8_t(raw[2 * i]) | uint8_t(raw[2 * i + 1]) << 8);
    out[i] = unit < 256 ? char(unit) : '?';
  }
  return out;
}

bool HeaderMatches(Cursor& in) {
  std::string_view signature, className, objectName;
  return in.Bytes(4, signature) && signature == "TPF0" && in.ShortString(className) && className == "TQuorExcept" &&
         in.ShortString(objectName) && objectName == "QuorExcept";
}

struct ReadValueResult {
  SettingsKind kind = kKindText;
  bool boolean = false;
  int32_t integer = 0;
  std::string text;
};

// Reads the value of a known type; false when the data ends inside it.
bool ReadValue(Cursor& in, uint8_t type, ReadValueResult& v) {
  uint32_t word = 0, length = 0;
  std::string_view raw;
  switch (type) {
    case 2:
    case 3:
    case 4: {
      const size_t width = type == 2 ? 1 : type == 3 ? 2 : 4;
      if (!in.Le(width, word)) return false;
      const int shift = int(32 - 8 * width);  // sign-extend the narrow widths
      v.kind = kKindInteger;
      v.integer = int32_t(word << shift) >> shift;
      return true;
    }
    case 8:
    case 9:
      v.kind = kKindBoolean;
      v.boolean = type == 9;
      return true;
    case 6:
      if (!in.ShortString(raw)) return false;
      v.text = raw;
      return true;
    case 12:
      if (!in.Le(4, length) || !in.Bytes(length, raw)) return false;
      v.text = raw;
      return true;
    default:  // 18
      if (!in.Le(4, length) || !in.Bytes(uint64_t(length) * 2, raw)) return false;
      v.text = NarrowUtf16(raw);
      return true;
  }
}

bool IsKnownType(uint8_t type) {
  return type == 2 || type == 3 || type == 4 || type == 6 || type == 8 || type == 9 || type == 12 || type == 18;
}

void UnscramblePassword(ModuleSettingsRecord& record, const SettingsHeap& heap, const char* prefix) {
  const std::string base(prefix);
  SettingsProperty* password = FindProperty(record, base + "Password");
  if (!password || password->kind != kKindText || !password->textValue || !*password->textValue) return;
  auto text = [&](const std::string& name) -> std::string_view {
    const SettingsProperty* p = FindProperty(record, name);
    return p && p->kind == kKindText && p->textValue ? p->textValue : "";
  };
  const std::string plain =
      quor::UnscramblePassword(password->textValue, text(base + "Account"), text(base + "Server"));
  // Memory short: the scrambled text stays, which no server accepts.
  (void)SetPropertyText(*password, heap, plain);
}

}  // namespace

SettingsReadResult ReadSettingsResource(const uint8_t* data, size_t size, ModuleSettingsRecord& record,
                                        const SettingsHeap& heap) {
  Cursor in(data, data ? size : 0);
  if (!HeaderMatches(in)) return {SettingsReadStatus::kNoHeader, 0};
  SettingsReadResult result{SettingsReadStatus::kComplete, 0};
  for (;;) {
    std::string_view name;
    uint8_t nameLength, type;
    if (!in.Byte(nameLength)) {
      result.status = SettingsReadStatus::kTruncated;
      break;
    }
    if (nameLength == 0) break;
    if (!in.Bytes(nameLength, name) || !in.Byte(type)) {
      result.status = SettingsReadStatus::kTruncated;
      break;
    }
    if (!IsKnownType(type)) {
      result = {SettingsReadStatus::kInvalidType, type};
      break;
    }
    ReadValueResult value;
    if (!ReadValue(in, type, value)) {
      result.status = SettingsReadStatus::kTruncated;
      break;
    }
    SettingsProperty* p = AppendProperty(record, heap, name, value.kind);
    if (!p || (value.kind == kKindText && !SetPropertyText(*p, heap, value.text))) {
      result.status = SettingsReadStatus::kOutOfMemory;
      break;
    }
    p->boolValue = value.boolean;
    p->intValue = value.integer;
  }
  UnscrambleStoredPasswords(record, heap);
  return result;
}

void UnscrambleStoredPasswords(ModuleSettingsRecord& record, const SettingsHeap& heap) {
  UnscramblePassword(record, heap, "Smtp");
  UnscramblePassword(record, heap, "Http");
}

std::string InvalidSettingsResourceText(uint8_t type) {
  return "Internal error: Invalid settings resource (" + DollarHex(type) + ").";
}

std::string DollarHex(uint32_t value) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  do {
    out.insert(out.begin(), digits[value & 0xF]);
    value >>= 4;
  } while (value);
  return "$" + out;
}

}  // namespace quor
