#include "toolkit/SysUtils.h"

namespace tk {

std::string InOutErrorMessage(int code) {
  switch (code) {
    case 2: return "File not found";
    case 3: return "Invalid filename";
    case 4: return "Too many open files";
    case 5: return "File access denied";
    case 100: return "Read beyond end of file";
    case 101: return "Disk full";
    case 106: return "Invalid numeric input";
    default: return "I/O error " + std::to_string(code);
  }
}

EInOutError::EInOutError(int code) : Exception(InOutErrorMessage(code)), code_(code) {}

void RaiseRangeError() { throw ERangeError("Range check error"); }

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
