#include "report/delivery/quorMimeText.h"

#include <gtest/gtest.h>

#include "report/delivery/quorEncodedWord.h"

namespace {

using quor::TextEncoding;

TEST(MimeText, EveryBareLineEndBecomesCrLf) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\nb", "a\r\nb"},       {"a\rb", "a\r\nb"},       {"a\r\nb", "a\r\nb"},  {"a\n\rb", "a\r\n\r\nb"},
      {"\r\r\n\n", "\r\n\r\n\r\n"}, {"end\r", "end\r\n"}, {"", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(quor::NormalizeLineEnds(in), out) << in;
}

TEST(MimeText, EncodingFollowsLineLengthBytesAndBoundary) {
  const std::string line998(998, 'a'), line999(999, 'a');
  const struct {
    std::string text;
    TextEncoding encoding;
  } cases[] = {
      {"plain text\r\n.\r\n", TextEncoding::SevenBit},
      {"caf\xe9", TextEncoding::EightBit},
      {line998 + "\r\n" + line998, TextEncoding::SevenBit},
      {"x\r\n" + line999 + "\r\ny", TextEncoding::QuotedPrintable},
      {line999, TextEncoding::QuotedPrintable},
      {std::string("a\0b", 3), TextEncoding::QuotedPrintable},
      {"text\r\n--BOUNDARY\r\n", TextEncoding::QuotedPrintable},
  };
  for (const auto& c : cases) EXPECT_EQ(quor::ChooseTextEncoding(c.text, "BOUNDARY"), c.encoding) << c.text.substr(0, 20);
}

TEST(MimeText, QuotedPrintableKeepsLinesShortAndEscapesWhatItMust) {
  EXPECT_EQ(quor::EncodeQuotedPrintable("a=b \r\nc\t\r\n\xff."), "a=3Db=20\r\nc=09\r\n=FF.");
  const std::string encoded = quor::EncodeQuotedPrintable(std::string(2000, 'x') + "\r\n" + std::string(300, '\xe9'));
  size_t start = 0;
  while (start < encoded.size()) {
    const size_t end = std::min(encoded.find("\r\n", start), encoded.size());
    EXPECT_LE(end - start, 76u);
    start = end + 2;
  }
}

TEST(EncodedWord, WordsStayWithinTheLimitAndFold) {
  EXPECT_EQ(quor::EncodeWords("Fehler in \xfc" "ber"), "=?ISO-8859-1?Q?Fehler_in_=FCber?=");
  EXPECT_EQ(quor::EncodeWords("a\r\nb"), "=?ISO-8859-1?Q?a=0D=0Ab?=");
  EXPECT_EQ(quor::EncodeWords(""), "");
  const std::string words = quor::EncodeWords(std::string(100, '\xe9'));
  size_t start = 0, count = 0;
  for (;; ++count) {
    const size_t end = words.find("\r\n ", start);
    const std::string word = words.substr(start, end - start);
    EXPECT_LE(word.size(), 75u);
    EXPECT_EQ(word.substr(0, 15), "=?ISO-8859-1?Q?");
    if (end == std::string::npos) break;
    start = end + 3;
  }
  EXPECT_EQ(count + 1, 6u);  // 100 escapes of 3 characters, 19 per word
}

}  // namespace
