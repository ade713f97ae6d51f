#include "report/delivery/quorSendPlan.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(SendPlan, SenderFromMailFromOrTheFirstRecipient) {
  const struct {
    const char *from, *addr, *want;
  } cases[] = {
      {"Me <me@x.test>", "a@y.test", "Me <me@x.test>"},
      {"", "Support <a@y.test>; b@z.test", "QuorExcept <a@y.test>"},
      {"  ", "b@z.test,a@y.test", "QuorExcept <b@z.test>"},
      {"", "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(SendSender(c.from, c.addr), c.want) << c.addr;
}

TEST(SendPlan, ExceptionMessageOfTheReport) {
  const struct {
    const char *report, *want;
  } cases[] = {
      {"date/time : 1\r\nexception message : Access violation at 0x1.\r\nnext : x", "Access violation at 0x1."},
      {"a\r\nexception message : a: b \r\n", "a: b"},  // only the first ":" goes
      {"a\r\nexception message without colon\r\n", "without colon"},
      {"exception message : at the start, no line before", ""},
      {"nothing here", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReportExceptionMessage(c.report), c.want) << c.report;
}

TEST(SendPlan, ScreenshotDepthSelectsThePngMode) {
  const std::pair<int32_t, NVPngMode> cases[] = {
      {4, NVPngMode::kGrey},        {8, NVPngMode::kColor},
      {51200, NVPngMode::kColorWithin50K}, {102400, NVPngMode::kColorWithin100K},
      {204800, NVPngMode::kColorWithin200K}, {307200, NVPngMode::kColorWithin300K},
      {-1, NVPngMode::kColor},
  };
  for (const auto& [depth, mode] : cases) EXPECT_EQ(ScreenshotPngMode(depth), mode) << depth;
}

TEST(SendPlan, FilesGoIntoTheirArchivesByNameWithoutRegardToCase) {
  const SendAttachments grouped = GroupAttachments({
      {"C:\\report.log", "bugreport.log", "BugReport", "report.zip"},
      {"C:\\shot.png", "screenShot.png", "ScreenShot", ""},
      {"C:\\extra.txt", "extra.txt", "extra", "REPORT.ZIP"},
      {"C:\\other.bin", "other.bin", "other", "other.zip"},
  });
  ASSERT_EQ(grouped.plain.size(), 1u);
  EXPECT_EQ(grouped.plain[0].sendAs, "screenShot.png");
  ASSERT_EQ(grouped.archives.size(), 2u);
  EXPECT_EQ(grouped.archives[0].name, "report.zip");
  ASSERT_EQ(grouped.archives[0].files.size(), 2u);
  EXPECT_EQ(grouped.archives[0].files[1].sendAs, "extra.txt");
  EXPECT_EQ(grouped.archives[1].name, "other.zip");
}

uint64_t Total(const std::vector<SendArea>& areas) {
  uint64_t sum = 0;
  for (const SendArea& a : areas) sum += a.weight;
  return sum;
}

TEST(SendPlan, ProgressAreasOfASessionAndAnUpload) {
  const std::vector<SendArea> server = SmtpSessionAreas(false, {});
  EXPECT_EQ(server.front().text, "ConnMsg");
  EXPECT_EQ(Total(server), 100 + 100 + 200 + 200 + 100 + 400 + 500 + 100);
  const std::vector<SendArea> mx = SmtpSessionAreas(true, {1, 57, 58});
  EXPECT_EQ(mx.front().text, "MxLookMsg");
  // One base64 line per 57 bytes begun, three per line.
  EXPECT_EQ(mx[10].weight, 3u);
  EXPECT_EQ(mx[11].weight, 3u);
  EXPECT_EQ(mx[12].weight, 6u);
  EXPECT_EQ(mx[13].text, "SendFinalMsg");
  const std::vector<SendArea> http = HttpUploadAreas(250, {1600, 15});
  EXPECT_EQ(http[2].text, "FieldMsg");
  EXPECT_EQ(http[2].weight, 350u);
  EXPECT_EQ(http[3].weight, 100u);
  EXPECT_EQ(http[4].weight, 0u);  // a tiny part weighs nothing
  EXPECT_EQ(http.back().text, "SendFinalMsg");
}

}  // namespace
TEST(SendPlan, ReportPlaceholdersAreFilledOnce) {
  const struct {
    const char* text;
    const char* message;
    const char* report;
    const char* expected;
  } cases[] = {
      {"Error: %exceptMsg%", "Access violation", "", "Error: Access violation"},
      {"%EXCEPTMSG% / %BugReport%", "", "R", "Unknown / R"},
      // What the values bring stays as it is.
      {"%bugReport%", "m", "a %exceptMsg% in the report", "a %exceptMsg% in the report"},
      {"%exceptMsg", "m", "r", "%exceptMsg"},
      {"", "m", "r", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FillReportPlaceholders(c.text, c.message, c.report), c.expected) << c.text;
}

}  // namespace quor
