// Base64 of RFC 4648 ("A"-"Z", "a"-"z", "0"-"9", "+", "/", "=" padding, no
// line breaks) over byte strings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quor {

[[nodiscard]] std::string Base64Encode(std::string_view bytes);

// The characters a text of `byteCount` bytes encodes to, padding included.
[[nodiscard]] constexpr size_t Base64Length(size_t byteCount) { return (byteCount + 2) / 3 * 4; }

// Writes the encoding of `bytes` to `out`, which has room for
// Base64Length(bytes.size()) characters; for callers that lay out lines of
// their own without a string per piece.
void Base64EncodeInto(std::string_view bytes, char* out);

// The characters of the encoding of `byteCount` bytes in lines of
// `bytesPerLine` bytes (a multiple of 3), each line ended by CR LF.
[[nodiscard]] constexpr size_t Base64LinesLength(size_t byteCount, size_t bytesPerLine) {
  return Base64Length(byteCount) + (byteCount + bytesPerLine - 1) / bytesPerLine * 2;
}

// Writes that line form (MIME's: 57 bytes give a 76-character line) to
// `out`, which has room for Base64LinesLength characters.
void Base64EncodeLinesInto(std::string_view bytes, size_t bytesPerLine, char* out);

// Decodes groups of four characters into three bytes each. A text whose
// length is not a positive multiple of 4 decodes to nothing. Decoding stops
// at the first character outside the alphabet (normally "="): in the fourth
// place of a group that group still gives two bytes, in the third place one
// byte, earlier none; the groups after it are ignored.
[[nodiscard]] std::string Base64Decode(std::string_view text);

}  // namespace quor
