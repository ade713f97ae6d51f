#include "toolkit/SysUtils.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace tk {

std::string InOutErrorMessage(int code) {
  switch (code) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(code);
  }
}

EInOutError::EInOutError(int code) : Exception(InOutErrorMessage(code)), code_(code) {}

void RaiseRangeError() { throw ERangeError("Range check error"); }

namespace {

std::optional<int32_t> ParseInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * base + digit;
    // Hexadecimal takes the full 32-bit range ($FFFFFFFF is -1).
    if (value > (base == 16 ? int64_t{0xFFFFFFFF} : int64_t{0x80000000})) return std::nullopt;
  }
  if (base == 10 && !negative && value > INT32_MAX) return std::nullopt;
  if (negative) value = -value;
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace

int32_t StrToInt(const std::string& text) {
  const auto v = ParseInt(text);
  if (!v) throw EConvertError("'" + text + "' is not a valid integer value");
  return *v;
}

int32_t StrToIntDef(const std::string& text, int32_t def) { return ParseInt(text).value_or(def); }

double StrToFloatDot(const std::string& text) {
  size_t i = 0, end = text.size();
  while (i < end && text[i] == ' ') ++i;
  while (end > i && text[end - 1] == ' ') --end;
  bool negative = false, digits = false, point = false;
  if (i < end && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Digits are gathered as one integer and divided once, so that "4.81"
  // gives the double nearest to 4.81.
  double mantissa = 0, divisor = 1;
  for (; i < end; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      mantissa = mantissa * 10 + (c - '0');
      if (point) divisor *= 10;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      digits = false;
      break;
    }
  }
  const double value = mantissa / divisor;
  if (!digits || !std::isfinite(value)) throw EConvertError("'" + text + "' is not a valid floating point value");
  return negative ? -value : value;
}

std::string IntToHex(uint32_t value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

}  // namespace tk
