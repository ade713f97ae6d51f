// Bytes written as a mark and two upper-case hexadecimal digits: "%E9" in
// URLs and RFC 2231 parameters, "=E9" in quoted-printable and encoded words.
#pragma once

#include <string>
#include <string_view>

namespace quor {

inline void AppendHexEscape(std::string& out, char mark, unsigned char byte) {
  constexpr char kHexDigits[] = "0123456789ABCDEF";
  out += mark;
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 15];
}

// `text` with every byte for which `literal(byte)` is false as "%XX".
template <typename Literal>
[[nodiscard]] std::string PercentEncodeBytes(std::string_view text, Literal literal) {
  std::string encoded;
  encoded.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (literal(byte)) encoded += c;
    else AppendHexEscape(encoded, '%', byte);
  }
  return encoded;
}

}  // namespace quor
