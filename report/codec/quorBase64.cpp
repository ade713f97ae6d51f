#include "report/codec/quorBase64.h"

#include <array>
#include <cstdint>

namespace quor {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr uint8_t kNotInAlphabet = 0xFF;

constexpr std::array<uint8_t, 256> MakeDecodeTable() {
  std::array<uint8_t, 256> table{};
  for (auto& entry : table) entry = kNotInAlphabet;
  for (uint8_t i = 0; i < 64; ++i) table[uint8_t(kAlphabet[i])] = i;
  return table;
}

constexpr std::array<uint8_t, 256> kDecode = MakeDecodeTable();

// Three bytes to four characters.
inline void EncodeGroup(const uint8_t* in, char* out) {
  const uint32_t group = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
  out[0] = kAlphabet[group >> 18];
  out[1] = kAlphabet[(group >> 12) & 0x3F];
  out[2] = kAlphabet[(group >> 6) & 0x3F];
  out[3] = kAlphabet[group & 0x3F];
}

}  // namespace

void Base64EncodeInto(std::string_view bytes, char* out) {
  // Whole groups of three bytes first, without the checks the last group needs.
  const size_t whole = bytes.size() / 3 * 3;
  const auto* in = reinterpret_cast<const uint8_t*>(bytes.data());
  for (size_t i = 0; i < whole; i += 3, out += 4) EncodeGroup(in + i, out);
  for (size_t i = whole; i < bytes.size(); i += 3, out += 4) {
    const size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
    uint32_t group = uint32_t(uint8_t(bytes[i])) << 16;
    if (n > 1) group |= uint32_t(uint8_t(bytes[i + 1])) << 8;
    if (n > 2) group |= uint8_t(bytes[i + 2]);
    // n input bytes give n + 1 characters; the rest of the group is padding.
    for (size_t c = 0; c <= n; ++c) out[c] = kAlphabet[(group >> (18 - 6 * c)) & 0x3F];
    for (size_t c = n + 1; c < 4; ++c) out[c] = '=';
  }
}

void Base64EncodeLinesInto(std::string_view bytes, size_t bytesPerLine, char* out) {
  // Whole lines in one tight loop (a mail attachment is almost all of them),
  // then the shorter last line with its padding.
  const size_t wholeLines = bytes.size() / bytesPerLine;
  const auto* in = reinterpret_cast<const uint8_t*>(bytes.data());
  for (size_t line = 0; line < wholeLines; ++line) {
    for (size_t i = 0; i < bytesPerLine; i += 3, in += 3, out += 4) EncodeGroup(in, out);
    *out++ = '\r';
    *out++ = '\n';
  }
  const std::string_view rest = bytes.substr(wholeLines * bytesPerLine);
  if (rest.empty()) return;
  Base64EncodeInto(rest, out);
  out += Base64Length(rest.size());
  *out++ = '\r';
  *out = '\n';
}

std::string Base64Encode(std::string_view bytes) {
  std::string text(Base64Length(bytes.size()), '\0');
  Base64EncodeInto(bytes, text.data());
  return text;
}

std::string Base64Decode(std::string_view text) {
  if (text.empty() || text.size() % 4 != 0) return {};
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    uint32_t group = 0;
    size_t valid = 0;  // characters of this group inside the alphabet, up to the first other one
    while (valid < 4 && kDecode[uint8_t(text[i + valid])] != kNotInAlphabet) {
      group |= uint32_t(kDecode[uint8_t(text[i + valid])]) << (18 - 6 * valid);
      ++valid;
    }
    // Four characters give three bytes, three give two, two give one.
    for (size_t b = 0; b + 1 < valid; ++b) bytes += char(group >> (16 - 8 * b));
    if (valid < 4) break;
  }
  return bytes;
}

}  // namespace quor
