// mailto links read back by Python's urllib.parse, an independent decoder.
#include <gtest/gtest.h>

#include "report/delivery/quorMailtoLink.h"
#include "tests/report/delivery/PeerProcess.h"

namespace {

std::string Hex(std::string_view bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex.empty() ? "-" : hex;
}

TEST(MailtoPython, UrllibDecodesExactlyWhatWasEncoded) {
  const std::pair<std::string, std::string> cases[] = {
      {"Crash & burn", "a=b&c=d?#%+ \"<>\r\nsecond line\r\n"},
      {"caf\xe9 \xfc" "ber", std::string(1, '\0') + "\x01\x7f\xff"},
      {"100% sure", "body with %41 and %%"},
  };
  for (const auto& [subject, body] : cases) {
    const std::string link = quor::MailtoLink({"Ann <ann@example.test>", "bob@example.test"}, subject, body);
    int exitCode = 0;
    const std::string output = quor_test::CommandOutput(
        std::string(QUOR_TEST_PYTHON) + " " + quor_test::PeerScript("mailto_decode.py") + " '" + link + "'", exitCode);
    ASSERT_EQ(exitCode, 0) << output;
    EXPECT_EQ(output, Hex("ann@example.test,bob@example.test") + "\n" + Hex(subject) + "\n" + Hex(body) + "\n");
  }
}

}  // namespace
