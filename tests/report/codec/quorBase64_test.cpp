#include "report/codec/quorBase64.h"

#include <gtest/gtest.h>

namespace {

TEST(Base64, Rfc4648Vectors) {
  const struct {
    const char* bytes;
    const char* text;
  } cases[] = {
      {"", ""},
      {"f", "Zg=="},
      {"fo", "Zm8="},
      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="},
      {"foobar", "Zm9vYmFy"},
      {"abc", "YWJj"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(quor::Base64Encode(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(quor::Base64Decode(c.text), c.bytes) << c.text;
  }
}

TEST(Base64, EveryByteValueRoundTrips) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += char(i);
  const std::string text = quor::Base64Encode(all);
  EXPECT_EQ(text.size(), 344u);
  EXPECT_EQ(text.substr(0, 8), "AAECAwQF");
  EXPECT_EQ(text.substr(text.size() - 8), "/P3+/w==");  // 256 bytes leave one: two pads
  EXPECT_EQ(quor::Base64Decode(text), all);
}

TEST(Base64, LinesAreTheEncodingCutAfterEveryLinesBytes) {
  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += char(i * 37);
  for (size_t size : {0u, 1u, 56u, 57u, 58u, 114u, 116u, 200u}) {
    const std::string_view in = std::string_view(bytes).substr(0, size);
    std::string lines(quor::Base64LinesLength(size, 57), '?');
    quor::Base64EncodeLinesInto(in, 57, lines.data());
    std::string expected;
    const std::string whole = quor::Base64Encode(in);
    for (size_t at = 0; at < whole.size(); at += 76) expected += whole.substr(at, 76) + "\r\n";
    EXPECT_EQ(lines, expected) << size;
  }
}

TEST(Base64Decode, StopsAtFirstCharacterOutsideAlphabet) {
  const struct {
    const char* text;
    std::string bytes;
  } cases[] = {
      {"Zm9vYmE", ""},           // 7 characters: not a multiple of 4
      {"Zm9vY", ""},             // 5 characters
      {"Zm9", ""},               // 3 characters
      {"Zm9vYg==Zm9v", "foob"},  // groups after the padding are ignored
      {"Zm9vYm.v", "foob"},      // stop in the third place: one byte
      {"Zm9vYmE!", "fooba"},     // stop in the fourth place: two bytes
      {"Zm9vY===", "foo"},       // stop in the second place: nothing
      {"====", ""},              // stop in the first place
      {"Zm9v\r\nYm", "foo"},     // line breaks are outside the alphabet too
      {"Zm9-", "fo"},            // URL-safe alphabet is not RFC 4648 base64
  };
  for (const auto& c : cases) EXPECT_EQ(quor::Base64Decode(c.text), c.bytes) << c.text;
}

}  // namespace
