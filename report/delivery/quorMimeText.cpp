#include "report/delivery/quorMimeText.h"

#include "report/delivery/quorHexEscape.h"

namespace quor {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr size_t kMaxLineOctets = 998;       // RFC 5322, without the CR LF
constexpr size_t kMaxEncodedLine = 76;       // RFC 2045 quoted-printable lines

bool IsLiteral(unsigned char c, bool atLineEnd) {
  if (c == ' ' || c == '\t') return !atLineEnd;
  return c >= 33 && c <= 126 && c != '=';
}

}  // namespace

std::string NormalizeLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      out += kCrLf;
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (text[i] == '\n') {
      out += kCrLf;
    } else {
      out += text[i];
    }
  }
  return out;
}

TextEncoding ChooseTextEncoding(std::string_view text, std::string_view boundary) {
  if (!boundary.empty() && text.find(boundary) != std::string_view::npos) return TextEncoding::QuotedPrintable;
  bool eightBit = false;
  size_t lineStart = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r') {
      if (i - lineStart > kMaxLineOctets) return TextEncoding::QuotedPrintable;
      lineStart = i + kCrLf.size();
      ++i;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0) return TextEncoding::QuotedPrintable;
    if (c >= 0x80) eightBit = true;
  }
  return eightBit ? TextEncoding::EightBit : TextEncoding::SevenBit;
}

std::string_view TransferEncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::SevenBit: return "7bit";
    case TextEncoding::EightBit: return "8bit";
    case TextEncoding::QuotedPrintable: break;
  }
  return "quoted-printable";
}

std::string EncodeQuotedPrintable(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  size_t lineLength = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, kCrLf.size()) == kCrLf) {
      out += kCrLf;
      lineLength = 0;
      ++i;
      continue;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    const bool atLineEnd = i + 1 == text.size() || text.substr(i + 1, kCrLf.size()) == kCrLf;
    const bool literal = IsLiteral(c, atLineEnd);
    const size_t width = literal ? 1 : 3;
    // A soft break "=" takes one column too.
    if (lineLength + width > kMaxEncodedLine - 1) {
      out += '=';
      out += kCrLf;
      lineLength = 0;
    }
    if (literal) out += char(c);
    else AppendHexEscape(out, '=', c);
    lineLength += width;
  }
  return out;
}

}  // namespace quor
