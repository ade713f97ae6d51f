#include "skin/sMaskData.h"

#include <gtest/gtest.h>

#include "toolkit/SysUtils.h"

namespace {

using skin::TsFontColors;

TEST(FontColor, SplitsFiveWordsElseBlackWithoutContours) {
  const struct {
    const char* text;
    TsFontColors want;
  } cases[] = {
      {"0 15724527 -1 -1 -1", {0, 15724527, -1, -1, -1}},
      {"0 1", {0, -1, -1, -1, -1}},
      {"", {0, -1, -1, -1, -1}},
      {"1 2 3 4 5 6", {0, -1, -1, -1, -1}},
      {"8421504 -1 -1 -1 -1", {8421504, -1, -1, -1, -1}},
  };
  for (const auto& c : cases) EXPECT_EQ(skin::ParseFontColor(c.text), c.want) << c.text;
}

TEST(FontColor, FiveWordsWithGarbageRaiseTheConversionError) {
  try {
    skin::ParseFontColor("0 x -1 -1 -1");
    FAIL();
  } catch (const tk::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x' is not a valid integer value");
  }
  EXPECT_EQ(skin::FontColorText({0, 15724527, -1, -1, -1}), "0 15724527 -1 -1 -1");
}

TEST(GradientData, CountsWholeGroupsAndCutsPercent) {
  const struct {
    const char* text;
    size_t stops;
    int percent0;
  } cases[] = {
      {" ", 0, -1},
      {"", 0, -1},
      {"1;2;150;0;0", 1, 100},
      {"1;2;3;4;5;6", 1, 3},
      {"16777215;8421504;99;0;0;8421504;8421504;0;0;0", 2, 99},
      {"1;2;-5;0;0", 1, 0},
  };
  for (const auto& c : cases) {
    const skin::TsGradArray a = skin::ParseGradientData(c.text);
    ASSERT_EQ(a.size(), c.stops) << c.text;
    if (c.stops) EXPECT_EQ(a[0].Percent, c.percent0) << c.text;
  }
  const skin::TsGradArray a = skin::ParseGradientData("16777215;8421504;99;1;7");
  EXPECT_EQ(a[0].Color1, 16777215u);
  EXPECT_EQ(a[0].Color2, 8421504u);
  EXPECT_EQ(a[0].Mode, 1);
  EXPECT_THROW(skin::ParseGradientData("1;2;x;0;0"), tk::EConvertError);
}

TEST(ImageGeometry, CountZeroAndMarginDefaults) {
  const struct {
    skin::TRect rect;
    int16_t count, mask, border, wl, wt, wr, wb;
    int16_t wantCount, wantMask, l, t, r, b;
  } cases[] = {
      {{0, 0, 10, 10}, 1, 0, 2, 0, 0, 0, 0, 1, 0, 2, 2, 2, 2},
      {{0, 44, 63, 92}, 3, 1, 0, 0, 0, 0, 0, 3, 1, 7, 8, 7, 8},
      {{0, 44, 63, 92}, 0, 0, 0, 0, 0, 0, 0, 3, 1, 7, 8, 7, 8},  // count 0: three states with masks
      {{0, 0, 90, 45}, 2, 0, 4, 0, 0, 0, 0, 2, 0, 4, 4, 4, 4},
      {{0, 0, 90, 45}, 2, 0, 4, 5, 0, 0, 0, 2, 0, 5, 0, 0, 0},  // any margin set: kept
      {{0, 0, 30, 30}, -2, -1, 0, 0, 0, 0, 0, 1, 0, 10, 10, 10, 10},
  };
  for (const auto& c : cases) {
    skin::TsMaskData m;
    m.SourceRect = c.rect;
    m.ImageCount = c.count;
    m.MaskType = c.mask;
    m.BorderWidth = c.border;
    m.WL = c.wl, m.WT = c.wt, m.WR = c.wr, m.WB = c.wb;
    skin::RepairImageGeometry(m);
    skin::ApplyMarginDefaults(m);
    EXPECT_EQ(m.ImageCount, c.wantCount);
    EXPECT_EQ(m.MaskType, c.wantMask);
    EXPECT_EQ(std::vector<int>({m.WL, m.WT, m.WR, m.WB}), std::vector<int>({c.l, c.t, c.r, c.b}));
  }
}

}  // namespace
