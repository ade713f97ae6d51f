#include "skin/sSkinColors.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinColors, HueRotation) {
  const struct {
    skin::TColor in;
    int degrees;
    skin::TColor want;
  } cases[] = {
      {0x0000FF, 120, 0x00FF00},                             // red -> green
      {0x0000FF, -120, 0xFF0000},                            // red -> blue
      {0x0000FF, 480, 0x00FF00},                             // modulo 360
      {0x0000FF, 0, 0x0000FF},    {0xFF00FF, 90, 0xFF00FF},  // fuchsia never changes
      {0x808080, 90, 0x808080},                              // nor greys
      {0x000000, 90, 0x000000},   {0x336699, 360, 0x336699},
  };
  for (const auto& c : cases)
    EXPECT_EQ(skin::RotateHue(c.in, c.degrees), c.want) << std::hex << c.in << " " << c.degrees;
}

TEST(SkinColors, SaturationMovesTowardsOrAwayFromGreyAndClamps) {
  const struct {
    skin::TColor in;
    int saturation;
    skin::TColor want;
  } cases[] = {
      {0x0000FF, -100, 0x555555},                             // a = 100: grey (mean 85)
      {0x0000FF, -50, 0x2B2BAA},                              // a = 50: half way; 42.5 rounds to 43
      {0x204080, 0, 0x204080},    {0x0000FF, 100, 0x0000FF},  // away from grey: red clamps at 255, the rest at 0
      {0x10E0F0, 100, 0x00FFFF},  {0xFF00FF, -100, 0xFF00FF}, {0x0000FF, -201, 0x555555},  // a = 201 rem 101 = 100
      {0x0000FF, 101, 0x0000FF},  // a = -101 rem 101 = 0: unchanged
  };
  for (const auto& c : cases)
    EXPECT_EQ(skin::ChangeColorSaturation(c.in, c.saturation), c.want)
        << std::hex << c.in << " " << std::dec << c.saturation;
}

TEST(SkinColors, TablesChangeEveryColourButNoneAndKeys) {
  skin::TsSkinTables t;
  t.MasterBitmap.SetSize(3, 1);
  t.MasterBitmap.SetPixel(0, 0, 0x0000FF);
  t.MasterBitmap.SetPixel(1, 0, 0xFF00FF);
  t.MasterBitmap.SetPixel(2, 0, 0x404040);
  skin::TsGeneralData g;
  g.Color = 0x0000FF;
  g.HotColor = 0xFF00000F;  // a system colour is not an RGB value
  g.FontColor = {0x0000FF, -1, -1, -1, -1};
  g.GradientArray = {{0x0000FF, 0x00FF00, 50, 0}};
  t.gd.push_back(g);
  t.SkinData.Shadow1Color = 0x0000FF;
  skin::ChangeHue(t, 120);
  EXPECT_EQ(t.MasterBitmap.Pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(t.MasterBitmap.Pixel(1, 0), 0xFF00FFu);
  EXPECT_EQ(t.MasterBitmap.Pixel(2, 0), 0x404040u);
  EXPECT_EQ(t.gd[0].Color, 0x00FF00u);
  EXPECT_EQ(t.gd[0].HotColor, 0xFF00000Fu);
  EXPECT_EQ(t.gd[0].FontColor, (skin::TsFontColors{0x00FF00, -1, -1, -1, -1}));
  EXPECT_EQ(t.gd[0].GradientArray[0].Color2, 0xFF0000u);
  EXPECT_EQ(t.SkinData.Shadow1Color, 0x00FF00);
}

}  // namespace
