// The exception box's texts: sentence breaks, captions, titles.
#include "report/box/quorBoxTexts.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

// A message of `length` characters with ". " after position `stop`.
std::string Sentences(size_t stop, size_t length) {
  return std::string(stop - 1, 'a') + ". " + std::string(length - stop - 1, 'b');
}

TEST(BoxTexts, MessageBreaksAfterSentencesAwayFromBothEnds) {
  struct Case {
    std::string message;
    std::string expected;
  } cases[] = {
      {Sentences(33, 55), std::string(32, 'a') + ".\r\n" + std::string(21, 'b')},  // two sentences: two lines
      {Sentences(19, 55), Sentences(19, 55)},                                        // first sentence too short
      {Sentences(20, 55), std::string(19, 'a') + ".\r\n" + std::string(34, 'b')},
      {Sentences(45, 55), std::string(44, 'a') + ".\r\n" + std::string(9, 'b')},
      {Sentences(46, 55), Sentences(46, 55)},  // within the last ten characters
      {"Short. Text.", "Short. Text."},
      {"", ""},
      {"The file could not be read. The disk is gone. Try again later please.",
       "The file could not be read.\r\nThe disk is gone.\r\nTry again later please."},
  };
  for (const Case& c : cases) EXPECT_EQ(PrepareBoxMessage(c.message), c.expected) << c.message;
}

TEST(BoxTexts, CaptionKeepsAtMost29Characters) {
  EXPECT_EQ(BoxCaption("send bug report"), "send bug report");
  EXPECT_EQ(BoxCaption("restart the application right now, please"), "restart the application right");
  EXPECT_EQ(BoxCaption(std::string(29, 'x')).size(), 29u);
}

TEST(BoxTexts, ProgramTitleIsTheExecutableNameWithoutExtension) {
  const char* cases[][2] = {
      {"C:\\Program Files\\Sorvenal\\Sorvenal.exe", "Sorvenal"},
      {"C:\\dir.v2\\tool", "tool"},
      {"Z:/build/win64/app/quorBox_test.exe", "quorBox_test"},
      {"archive.tar.exe", "archive.tar"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramTitle(c[0]), c[1]) << c[0];
}

TEST(BoxTexts, ExceptMsgPlaceholderIgnoresCase) {
  EXPECT_EQ(InsertExceptMsg("Error: %EXCEPTMSG%!", "Range check error"), "Error: Range check error!");
  EXPECT_EQ(InsertExceptMsg("%exceptMsg% and %exceptmsg%", ""), "Unknown and Unknown");
  EXPECT_EQ(InsertExceptMsg("An error occurred in the application.", "x"), "An error occurred in the application.");
  EXPECT_EQ(InsertExceptMsg("100%", "x"), "100%");
}

TEST(BoxTexts, AbsoluteBugReportFileNames) {
  EXPECT_TRUE(IsAbsoluteFileName("C:\\logs\\bugreport.log"));
  EXPECT_TRUE(IsAbsoluteFileName("\\\\server\\share\\bug.log"));
  EXPECT_TRUE(IsAbsoluteFileName("\\bug.log"));
  EXPECT_FALSE(IsAbsoluteFileName("bugreport.log"));
  EXPECT_FALSE(IsAbsoluteFileName("C:"));
  EXPECT_FALSE(IsAbsoluteFileName("\\a"));
}

}  // namespace
}  // namespace quor
