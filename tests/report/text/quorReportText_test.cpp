#include "report/text/quorReportText.h"

#include <gtest/gtest.h>

#include "report/settings/quorSettingsResource.h"
#include "report/text/quorReportSections.h"
#include "report/text/quorTextFormat.h"

namespace {

TEST(ReportText, HeaderAlignedSectionsWithRules) {
  const quor::TReportFields header = {
      {"date/time", "2024-05-17, 14:03:09, 42ms"},
      {"exception message", "two\r\nlines  and\rmore\nblanks"},
  };
  const quor::TReportFields sections = {
      {"main thread ($1a4)", "0040a1f0 Sorvenal.exe   \r\n\r\n  indented\nlast"},
      {"cpu registers: <suspended>", ""},
  };
  EXPECT_EQ(quor::ComposeReportText(header, sections),
            "date/time         : 2024-05-17, 14:03:09, 42ms\r\n"
            "exception message : two lines and more blanks\r\n"
            "\r\n"
            "main thread ($1a4):\r\n"
            "0040a1f0 Sorvenal.exe\r\n"
            ".\r\n"
            "  indented\r\n"
            "last\r\n"
            "\r\n"
            "cpu registers: <suspended>\r\n"
            ".");
}

TEST(ReportText, ExceptionMessageForms) {
  const struct {
    const char* raw;
    const char* clean;
    const char* shown;
    const char* header;
  } cases[] = {
      {"Range check error", "Range check error", "Range check error.", "Range check error."},
      {"ends in one.", "ends in one.", "ends in one.", "ends in one."},
      {"two bangs!!", "two bangs!!", "two bangs.", "two bangs."},
      {"  \x01\tpadded\x7f  ", "padded\x7f", "padded\x7f.", "padded\x7f."},
      {"", "Unknown", "Unknown.", "Unknown."},
      {"\x02\x03 ", "Unknown", "Unknown.", "Unknown."},
      {"line\r\nbreak  here", "line\r\nbreak  here", "line\r\nbreak  here.", "line break here."},
  };
  for (const auto& c : cases) {
    const std::string clean = quor::CleanExceptionMessage(c.raw);
    EXPECT_EQ(clean, c.clean) << c.raw;
    EXPECT_EQ(quor::ShownExceptionMessage(clean), c.shown) << c.raw;
    EXPECT_EQ(quor::HeaderExceptionMessage(clean), c.header) << c.raw;
  }
}

TEST(ReportSections, CpuRegisters) {
  quor::TCpuRegisters r;
  r.Eax = 0x12;
  r.Ebp = 0xdeadbeef;
  EXPECT_EQ(quor::CpuRegistersText(r),
            "eax = 00000012\r\nebx = 00000000\r\necx = 00000000\r\nedx = 00000000\r\nesi = 00000000\r\n"
            "edi = 00000000\r\neip = 00000000\r\nesp = 00000000\r\nebp = deadbeef");
}

TEST(ReportSections, StackDumpLines) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 21; ++i) bytes.push_back(static_cast<uint8_t>(0x20 + i));
  EXPECT_EQ(quor::StackDumpText(0x0012ff00, bytes),
            "0012ff00  20 21 22 23 24 25 26 27 - 28 29 2a 2b 2c 2d 2e 2f  .!\"#$%&'()*+,-./\r\n"
            "0012ff10  30 31 32 33 34                                     01234");
  // At most 20 lines.
  std::vector<uint8_t> many(16 * 25, 0);
  const std::string text = quor::StackDumpText(0, many);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 19);
}

TEST(ReportSections, CrcText) {
  EXPECT_EQ(quor::CallstackCrcText(0x1a2b3c4d, 0, 0xffffffff), "$1a2b3c4d, $00000000, $ffffffff");
  EXPECT_EQ(quor::CallstackCrcText(1, 2, 3).size(), 31u);
}

TEST(TextFormat, HexAndDates) {
  EXPECT_EQ(quor::Hex8(0x40a1f0), "0040a1f0");
  EXPECT_EQ(quor::DollarHex(0x1a4), "$1a4");
  EXPECT_EQ(quor::DollarHex(0), "$0");
  const quor::TLocalTime t{2024, 5, 7, 4, 3, 9, 42};
  EXPECT_EQ(quor::ReportDateTimeText(t), "2024-05-07, 04:03:09, 42ms");
  EXPECT_EQ(quor::FileDateTimeText(t), "2024-05-07 04:03");
}

}  // namespace

#include <cstdint>

#include "report/text/quorToolsText.h"

namespace {

TEST(ToolsText, DurationsAndSizes) {
  const struct {
    int64_t s;
    const char* text;
  } durations[] = {
      {0, ""},
      {-5, ""},
      {45, "45 seconds "},
      {60, "1 minute "},
      {3599, "59 minutes 59 seconds "},
      {7260, "2 hours 1 minute "},
      {86400, "1 day "},
      {90000, "1 day 1 hour "},
      {90061, "1 day 1 hour "},
      {INT64_MIN, ""},
      {INT64_MAX, "106751991167300 days 15 hours "},
  };
  for (const auto& d : durations) EXPECT_EQ(quor::DurationText(d.s), d.text) << d.s;
  const struct {
    int64_t size;
    const char* text;
  } sizes[] = {
      {1023, "1023 Bytes"}, {1024, "1,00 KB"},  {1536, "1,50 KB"},
      {1048576, "1,00 MB"}, {-1536, "1,50 KB"}, {0x40000000ll * 3, "3,00 GB"},
      // The magnitude of the smallest value is 2^63, one more than the largest.
      {INT64_MIN, "8589934592,00 GB"}, {INT64_MAX, "8589934591,99 GB"},
  };
  for (const auto& s : sizes) EXPECT_EQ(quor::ByteSizeText(s.size, ','), s.text) << s.size;
}

TEST(ToolsText, HeaderValuesFromRawNumbers) {
  const struct {
    std::string text, expected;
  } cases[] = {
      {quor::ElapsedText(0), "0 milliseconds"},
      {quor::ElapsedText(999), "999 milliseconds"},
      {quor::ElapsedText(1000), "1 second "},
      {quor::ElapsedText(61500), "1 minute 1 second "},
      {quor::ElapsedText(-20), "0 milliseconds"},
      // Rounded to the nearest megabyte: 0x7FFFF bytes are 0 MB, 0x80000 are 1 MB.
      {quor::PhysicalMemoryText(0x7FFFF, 0x80000), "0/1 MB (free/total)"},
      {quor::PhysicalMemoryText(512ull << 20, 0x3FFF80000ull), "512/16384 MB (free/total)"},
      {quor::PhysicalMemoryText(UINT64_MAX, UINT64_MAX), "17592186044416/17592186044416 MB (free/total)"},
      {quor::ScreenModeText(1280, 1024, 32), "1280x1024, 32 bit"},
      {quor::DriveFreeText('c', 1536, ','), "(C:) 1,50 KB"},
      {quor::DriveFreeText('D', 0x40000000ll * 3, '.'), "(D:) 3.00 GB"},
      {quor::ProcessorsText(1, "Intel(R) Core(TM) i5"), "Intel(R) Core(TM) i5"},
      {quor::ProcessorsText(4, "Intel(R) Core(TM) i5"), "4x Intel(R) Core(TM) i5"},
      {quor::ProcessorsText(16, ""), ""},
      {quor::SessionClientName("DESKTOP-7\0", 10), "DESKTOP-7"},
      {quor::SessionClientName("\0", 1), ""},
      {quor::SessionClientName("X", 0), ""},
      {quor::SessionClientName(nullptr, 5), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

}  // namespace
