// The text part of a mail: line ends made uniform and the transfer encoding
// that carries it unchanged (RFC 2045, RFC 5322 line length).
#pragma once

#include <string>
#include <string_view>

namespace quor {

// Every bare CR and every bare LF becomes CR LF; CR LF stays.
[[nodiscard]] std::string NormalizeLineEnds(std::string_view text);

enum class TextEncoding { SevenBit, EightBit, QuotedPrintable };

// The encoding for a text with uniform line ends: quoted-printable when a
// line is longer than 998 octets, a NUL occurs, or the text holds `boundary`
// (so that no line of it can end the part); else 8bit when a byte is above
// 127, else 7bit.
[[nodiscard]] TextEncoding ChooseTextEncoding(std::string_view text, std::string_view boundary);

// The Content-Transfer-Encoding value ("7bit", "8bit", "quoted-printable").
[[nodiscard]] std::string_view TransferEncodingName(TextEncoding encoding);

// Quoted-printable of a text with uniform line ends: its CR LF stay line
// breaks; "=", control characters, bytes above 126 and blanks or tabs at a
// line's end become "=XX"; soft breaks keep every line at 76 characters at
// most.
[[nodiscard]] std::string EncodeQuotedPrintable(std::string_view text);

}  // namespace quor
