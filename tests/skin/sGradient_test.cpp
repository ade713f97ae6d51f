// Gradient bands: the boundary rows, skipped empty bands, rounding, and
// the corners of the triangle form.
#include "skin/sGradient.h"

#include <gtest/gtest.h>

#include "skin/sAlphaGraph.h"
#include "skin/sMaskData.h"

namespace {

TEST(Gradient, TwoBandsWhereTheSecondIsEmpty) {
  skin::TsBitmap24 b(4, 100);
  skin::PaintGradient(b, {0, 0, 4, 100}, skin::ParseGradientData("16777215;8421504;99;0;0;8421504;8421504;0;0;0"));
  EXPECT_EQ(b.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(b.Pixel(3, 99), 0x808080u);
  // Row 50: 255 + (128 - 255) * 50 / 99 = 190.85 -> 191
  EXPECT_EQ(b.Pixel(2, 50), 0xBFBFBFu);
}

TEST(Gradient, BandsShareTheirBoundaryRowAndColumn) {
  // 50 % of 10 rows: band 0 runs 0..5, band 1 (last) 5..9.
  const skin::TsGradArray v = skin::ParseGradientData("0;10;50;0;0;100;200;50;0;0");
  skin::TsBitmap24 b(2, 10);
  skin::PaintGradient(b, {0, 0, 2, 10}, v);
  EXPECT_EQ(b.Pixel(0, 4) & 0xFF, 8u);  // 10 * 4 / 5
  EXPECT_EQ(b.Pixel(0, 5) & 0xFF, 100u);
  EXPECT_EQ(b.Pixel(1, 9) & 0xFF, 200u);
  // Mode 1 on 7 columns: 50 % of 7 rounds to 4, so band 0 is 0..4.
  skin::TsBitmap24 c(7, 2);
  skin::PaintGradient(c, {0, 0, 7, 2}, skin::ParseGradientData("40;90;50;1;0;90;30;50;1;0"));
  EXPECT_EQ(c.Pixel(3, 1) & 0xFF, 78u);  // 40 + 50 * 3 / 4 = 77.5
  EXPECT_EQ(c.Pixel(4, 0) & 0xFF, 90u);
  EXPECT_EQ(c.Pixel(6, 0) & 0xFF, 30u);
  EXPECT_EQ(c.Pixel(5, 1) & 0xFF, 60u);
}

TEST(Gradient, NothingOutsideTheBitmapAndNothingWithoutStops) {
  skin::TsBitmap24 b(3, 3);
  skin::PaintGradient(b, {-5, -5, 50, 50}, skin::ParseGradientData("255;255;100;0;0"));
  EXPECT_EQ(b.Pixel(2, 2), 0x0000FFu);
  skin::TsBitmap24 e(3, 3);
  skin::PaintGradient(e, {0, 0, 3, 3}, {});
  EXPECT_EQ(e.Pixel(1, 1), 0u);
}

// Where no band can be drawn the first colour fills the rectangle, so that
// nothing of what was painted before shows through.
TEST(Gradient, ThinBandsAndUnknownModesTakeTheFirstColour) {
  const struct {
    const char* what;
    skin::TRect rect;
    const char* data;
  } cases[] = {
      {"bands down, one row", {0, 2, 5, 3}, "255;65280;100;0;0"},
      {"bands down, one row left after cutting", {0, -4, 5, 1}, "255;65280;50;0;0;0;0;50;0;0"},
      {"bands across, one column", {3, 0, 4, 4}, "255;65280;100;1;0"},
      {"mode 3", {0, 0, 5, 4}, "255;65280;100;3;0"},
      {"mode -1", {0, 0, 5, 4}, "255;65280;100;-1;0"},
  };
  for (const auto& c : cases) {
    skin::TsBitmap24 b(5, 4);
    skin::FillRect24(b, {0, 0, 5, 4}, 0x777777);
    skin::PaintGradient(b, c.rect, skin::ParseGradientData(c.data));
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 0; x < 5; ++x) {
        const bool inside = x >= c.rect.Left && x < c.rect.Right && y >= c.rect.Top && y < c.rect.Bottom;
        EXPECT_EQ(b.Pixel(x, y), inside ? 0x0000FFu : 0x777777u) << c.what << " at " << x << "," << y;
      }
  }
}

TEST(Gradient, TriangleCornersTakeTheFirstColours) {
  const skin::TsGradTriangles t =
      skin::GradientTriangles({0, 0, 10, 7}, skin::ParseGradientData("1;0;0;2;0;2;0;0;2;0"));
  EXPECT_EQ(t.X[1], 5);
  EXPECT_EQ(t.Y[1], 3);
  EXPECT_EQ(t.Color[0], 1u);
  EXPECT_EQ(t.Color[1], 2u);
  EXPECT_EQ(t.Color[4], 2u);  // missing stops repeat the previous corner
}

}  // namespace
