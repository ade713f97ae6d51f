// Base64 of RFC 4648 ("A"-"Z", "a"-"z", "0"-"9", "+", "/", "=" padding, no
// line breaks) over byte strings.
#pragma once

#include <string>
#include <string_view>

namespace quor {

[[nodiscard]] std::string Base64Encode(std::string_view bytes);

// Decodes groups of four characters into three bytes each. A text whose
// length is not a positive multiple of 4 decodes to nothing. Decoding stops
// at the first character outside the alphabet (normally "="): in the fourth
// place of a group that group still gives two bytes, in the third place one
// byte, earlier none; the groups after it are ignored.
[[nodiscard]] std::string Base64Decode(std::string_view text);

}  // namespace quor
