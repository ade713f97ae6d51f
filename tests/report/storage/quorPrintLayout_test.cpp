#include "report/storage/quorPrintLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using quor::TDeviceMetrics;

TEST(PrintArea, MarginsInDevicePixelsLessTheUnprintableEdges) {
  const struct {
    const char* device;
    TDeviceMetrics metrics;
    quor::TPrintArea expected;
  } cases[] = {
      // 600 dpi (24 px/mm) A4 with 4 mm (96 px) unprintable on every side:
      // 480 - 96 left, 240 - 96 top, right and bottom.
      {"laser A4", {600, 600, 4768, 6826, 4960, 7018, 96, 96}, {384, 144, 4768 - 144, 6826 - 144}},
      // 300 dpi (11.81 -> 12 px/mm), edge-to-edge printing.
      {"borderless", {300, 300, 2480, 3508, 2480, 3508, 0, 0}, {240, 120, 2480 - 120, 3508 - 120}},
      // A screen-like device has no paper: the whole margin stays.
      {"screen", {96, 96, 1280, 1024, 0, 0, 0, 0}, {80, 40, 1280 - 40, 1024 - 40}},
      // An unprintable edge wider than the margin leaves no margin there.
      {"wide edges", {600, 600, 4000, 6000, 4900, 7000, 600, 500}, {0, 0, 4000, 6000}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.device);
    const quor::TPrintArea a = quor::PrintArea(c.metrics);
    EXPECT_EQ(a.Left, c.expected.Left);
    EXPECT_EQ(a.Top, c.expected.Top);
    EXPECT_EQ(a.Right, c.expected.Right);
    EXPECT_EQ(a.Bottom, c.expected.Bottom);
  }
}

TEST(PrintLines, EmptyLinesBecomeOneBlankAndAFinalBreakAddsNoLine) {
  const struct {
    std::string report;
    std::vector<std::string> lines;
  } cases[] = {
      {"a\r\n\r\nb\r\n", {"a", " ", "b"}}, {"a\nb", {"a", "b"}}, {"a\r\n\r\n", {"a", " "}}, {"", {}}, {"\r\n", {" "}},
  };
  for (const auto& c : cases) EXPECT_EQ(quor::PrintLines(c.report), c.lines) << c.report;
}

TEST(LayoutLines, ALineThatDoesNotFitStartsTheNextPage) {
  // Page from 10 to 50: three lines of 12 (10, 22, 34) fill it to 46.
  const auto placed = quor::LayoutLines({12, 12, 12, 12, 24, 4}, 10, 50);
  const std::vector<std::pair<size_t, int32_t>> expected = {{0, 10}, {0, 22}, {0, 34}, {1, 10}, {1, 22}, {1, 46}};
  ASSERT_EQ(placed.size(), expected.size());
  for (size_t i = 0; i < placed.size(); ++i) {
    EXPECT_EQ(placed[i].Page, expected[i].first) << i;
    EXPECT_EQ(placed[i].Y, expected[i].second) << i;
  }
}

TEST(LayoutLines, ALineTallerThanAPageGetsAPageOfItsOwn) {
  const auto placed = quor::LayoutLines({5, 100, 5}, 0, 40);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0].Page, 0u);
  EXPECT_EQ(placed[1].Page, 1u);
  EXPECT_EQ(placed[1].Y, 0);
  EXPECT_EQ(placed[2].Page, 2u);
  EXPECT_EQ(placed[2].Y, 0);
}

}  // namespace
