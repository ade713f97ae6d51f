// Conversions between UTF-8 (the toolkit's strings) and UTF-16 (the
// platform's wide strings). Invalid input becomes U+FFFD, never an error.
#pragma once

#include <string>

namespace tk {

std::u16string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::u16string& utf16);

}  // namespace tk
