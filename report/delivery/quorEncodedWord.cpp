#include "report/delivery/quorEncodedWord.h"

#include "report/delivery/quorHexEscape.h"

namespace quor {

namespace {

constexpr std::string_view kPrefix = "=?ISO-8859-1?Q?";
constexpr std::string_view kSuffix = "?=";
constexpr size_t kMaxWordLength = 75;
constexpr size_t kMaxPayload = kMaxWordLength - kPrefix.size() - kSuffix.size();
constexpr std::string_view kFold = "\r\n ";

bool IsAsciiAlnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string EncodeByte(unsigned char c) {
  if (IsAsciiAlnum(c) || c == '!' || c == '*' || c == '+' || c == '-' || c == '/') return std::string(1, char(c));
  if (c == ' ') return "_";
  std::string escape;
  AppendHexEscape(escape, '=', c);
  return escape;
}

}  // namespace

std::string EncodeWords(std::string_view text) {
  std::string words, payload;
  auto finishWord = [&] {
    if (!words.empty()) words += kFold;
    words.append(kPrefix).append(payload).append(kSuffix);
    payload.clear();
  };
  for (char c : text) {
    const std::string piece = EncodeByte(static_cast<unsigned char>(c));
    if (payload.size() + piece.size() > kMaxPayload) finishWord();
    payload += piece;
  }
  if (!payload.empty()) finishWord();
  return words;
}

}  // namespace quor
