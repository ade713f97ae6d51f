#include "report/progress/quorProgressLayout.h"

#include <gtest/gtest.h>

namespace {

using quor::LayOutProgress;
using quor::TLayoutRect;
using quor::TProgressMetrics;

// Frames of 3 x 3, a small caption of 17, a scroll bar of 16.
constexpr TProgressMetrics kMetrics{3, 3, 17, 16};

void ExpectRect(const TLayoutRect& r, int left, int top, int width, int height, const char* what) {
  EXPECT_EQ(r.Left, left) << what;
  EXPECT_EQ(r.Top, top) << what;
  EXPECT_EQ(r.Width, width) << what;
  EXPECT_EQ(r.Height, height) << what;
}

TEST(ProgressLayout, WithoutIcon) {
  const auto l = LayOutProgress(300, 13, false, kMetrics);
  ExpectRect(l.Text, 11, 12, 300, 13, "text");
  ExpectRect(l.Bar, 11, 13 + 24, 300, 16, "bar");
  EXPECT_EQ(l.WindowWidth, 300 + 6 + 22);
  EXPECT_EQ(l.WindowHeight, 13 + 17 + 16 + 6 + 36);
}

TEST(ProgressLayout, NarrowTextGetsTheMinimumWidth) {
  const auto l = LayOutProgress(40, 13, false, kMetrics);
  EXPECT_EQ(l.Text.Width, 220);
  EXPECT_EQ(l.Bar.Width, 220);
  EXPECT_EQ(l.WindowWidth, 220 + 6 + 22);
}

TEST(ProgressLayout, ShortTextBesideTheIconIsCentredOnItsBand) {
  const auto l = LayOutProgress(220, 13, true, kMetrics);
  ExpectRect(l.Icon, 9, 9, 32, 32, "icon");
  ExpectRect(l.Text, 51, 12 + (26 - 13) / 2, 220, 13, "text");
  // The bar runs under icon and text; the text height counts as 26.
  ExpectRect(l.Bar, 11, 26 + 24, 260, 16, "bar");
  EXPECT_EQ(l.WindowWidth, 260 + 6 + 22);
  EXPECT_EQ(l.WindowHeight, 26 + 17 + 16 + 6 + 36);
}

TEST(ProgressLayout, TallTextBesideTheIcon) {
  const auto l = LayOutProgress(420, 65, true, kMetrics);
  ExpectRect(l.Text, 51, 12, 420, 65, "text");
  ExpectRect(l.Bar, 11, 65 + 24, 460, 16, "bar");
  EXPECT_EQ(l.WindowHeight, 65 + 17 + 16 + 6 + 36);
}

}  // namespace
