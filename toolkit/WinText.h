// UTF-8 strings of the toolkit to and from the platform's wide strings.
#pragma once

#include <string>

#include "toolkit/Utf.h"

namespace tk {

inline std::wstring Wide(const std::string& utf8) {
  const std::u16string w = Utf8ToUtf16(utf8);
  return std::wstring(w.begin(), w.end());
}

inline std::string Narrow(const std::wstring& wide) { return Utf16ToUtf8(std::u16string(wide.begin(), wide.end())); }

}  // namespace tk
