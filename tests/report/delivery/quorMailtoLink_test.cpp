#include "report/delivery/quorMailtoLink.h"

#include <gtest/gtest.h>

namespace {

TEST(MailtoLink, EncodesAllButTheUnreservedSet) {
  EXPECT_EQ(quor::PercentEncode("a-b.c_d~e"), "a-b.c_d~e");
  EXPECT_EQ(quor::PercentEncode("x & y=1?#%+\r\n\"<>\xe9"), "x%20%26%20y%3D1%3F%23%25%2B%0D%0A%22%3C%3E%E9");
  EXPECT_EQ(quor::MailtoLink({"Ann <ann@x.test>", "b&c@y.test"}, "Crash & burn", "line 1\r\nline 2"),
            "mailto:ann@x.test,b%26c@y.test?subject=Crash%20%26%20burn&body=line%201%0D%0Aline%202");
}

TEST(MailtoLink, QuotesAProgramPathWithBlanks) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Program Files\\Mail\\mail.exe /mailurl:%1", "\"C:\\Program Files\\Mail\\mail.exe\" /mailurl:%1"},
      {"C:\\Program Files\\Mail\\MAIL.EXE", "\"C:\\Program Files\\Mail\\MAIL.EXE\""},
      {"\"C:\\Program Files\\Mail\\mail.exe\" %1", "\"C:\\Program Files\\Mail\\mail.exe\" %1"},
      {"C:\\Mail\\mail.exe -compose %1", "C:\\Mail\\mail.exe -compose %1"},
      {"C:\\My Tools\\x.exed\\mail.exe %1", "\"C:\\My Tools\\x.exed\\mail.exe\" %1"},
      {"rundll32.exe url.dll,MailToProtocolHandler %1", "rundll32.exe url.dll,MailToProtocolHandler %1"},
      {"mail %1", "mail %1"},
  };
  for (const auto& [command, quoted] : cases) EXPECT_EQ(quor::QuoteExecutablePath(command), quoted);
}

TEST(MailtoLink, CommandsFitTheLimitWithoutCuttingAnEscape) {
  const std::string body = "\xe9t\xe9 " + std::string(200, '%') + " end";
  const std::string full = *quor::MailtoCommand("mail.exe \"%1\" -x", {"a@x.test"}, "S", body, 100000);
  EXPECT_EQ(full, "mail.exe \"" + quor::MailtoLink({"a@x.test"}, "S", body) + "\" -x");
  EXPECT_EQ(*quor::MailtoCommand("mail.exe", {"a@x.test"}, "S", "b"), "mail.exe mailto:a@x.test?subject=S&body=b");
  EXPECT_EQ(*quor::MailtoCommand("mail.exe ", {"a@x.test"}, "S", "b"), "mail.exe mailto:a@x.test?subject=S&body=b");
  const size_t fixed = full.size() - quor::PercentEncode(body).size();
  for (size_t limit = fixed; limit <= full.size() + 1; ++limit) {
    const auto command = quor::MailtoCommand("mail.exe \"%1\" -x", {"a@x.test"}, "S", body, limit);
    ASSERT_TRUE(command) << limit;
    EXPECT_LE(command->size(), limit);
    EXPECT_GE(command->size() + 2, std::min(limit, full.size()));
    EXPECT_TRUE(command->ends_with("\" -x"));
    const std::string link = command->substr(10, command->size() - 14);
    for (size_t at = link.find('%'); at != std::string::npos; at = link.find('%', at + 1))
      EXPECT_LE(at + 3, link.size()) << "an escape cut at limit " << limit;
  }
  EXPECT_FALSE(quor::MailtoCommand("mail.exe %1", {"a@x.test"}, "S", body, fixed - 12));
}

}  // namespace
