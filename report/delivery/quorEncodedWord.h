// RFC 2047 encoded words for header text that is not plain ASCII or must not
// be read as header syntax: the subject and display names.
#pragma once

#include <string>
#include <string_view>

namespace quor {

// `text` (ISO-8859-1) as "=?ISO-8859-1?Q?...?=" words of at most 75
// characters each, folded onto continuation lines (CR LF and a blank), so
// that no header line grows past the length limit however long the text is.
// Letters, digits and "!*+-/" stay, a blank becomes "_", every other byte
// "=" and two upper-case hexadecimal digits. Empty text gives "".
[[nodiscard]] std::string EncodeWords(std::string_view text);

}  // namespace quor
