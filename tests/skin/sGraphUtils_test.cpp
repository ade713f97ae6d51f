// Section painting from small skin tables built here: margins that shrink,
// states that clamp, masks, transparency over a parent's cache, the share
// of a gradient faded towards the colour, and button glyphs.
#include "skin/sGraphUtils.h"

#include <gtest/gtest.h>

#include <memory>

#include "skin/sAlphaGraph.h"
#include "skin/sStretchMode.h"
#include "tests/skin/FilledBitmap.h"

namespace {

using skin::TColor;
using skin::TsBitmap24;
using skin::test::Filled;

// A border image of three 20 x 16 states, each state filled with its own
// colour except distinct corners (so that the drawn corner sizes show).
skin::TsMaskData BorderImage(TsBitmap24& master, int wl, int wt, int wr, int wb) {
  master = Filled(60, 16, 0);
  for (int s = 0; s < 3; ++s) {
    skin::FillRect24(master, {20 * s, 0, 20 * s + 20, 16}, 0x100000u * (s + 1));
    skin::FillRect24(master, {20 * s, 0, 20 * s + wl, wt}, 0x0000A0 + s);                  // top-left corner
    skin::FillRect24(master, {20 * s + 20 - wr, 16 - wb, 20 * s + 20, 16}, 0x00A000 + s);  // bottom-right
  }
  skin::TsMaskData m;
  m.SourceRect = {0, 0, 60, 16};
  m.ImageCount = 3;
  m.WL = static_cast<int16_t>(wl), m.WT = static_cast<int16_t>(wt);
  m.WR = static_cast<int16_t>(wr), m.WB = static_cast<int16_t>(wb);
  return m;
}

// Width of the top-left corner colour along the first row, height along the first column.
std::pair<int, int> CornerSize(const TsBitmap24& b, TColor c) {
  int w = 0, h = 0;
  while (w < b.Width() && b.Pixel(w, 0) == c) ++w;
  while (h < b.Height() && b.Pixel(0, h) == c) ++h;
  return {w, h};
}

TEST(GraphUtils, BorderMarginsShrinkToTheTarget) {
  TsBitmap24 master;
  const skin::TsMaskData m = BorderImage(master, 7, 8, 7, 8);
  struct Case {
    int w, h, wl, wt;
  } cases[] = {{40, 20, 7, 8}, {10, 12, 5, 6}, {9, 40, 5, 8}};
  for (const Case& c : cases) {
    TsBitmap24 dst = Filled(c.w, c.h, 0x777777);
    skin::PaintBorderImage(dst, {0, 0, c.w, c.h}, true, false, 0, m, master, {});
    EXPECT_EQ(CornerSize(dst, 0x0000A0), std::make_pair(c.wl, c.wt)) << c.w << "x" << c.h;
  }
  // 9 wide: WR = 4, so the bottom-right corner colour starts at x = 5.
  TsBitmap24 dst = Filled(9, 40, 0x777777);
  skin::PaintBorderImage(dst, {0, 0, 9, 40}, true, false, 0, m, master, {});
  EXPECT_EQ(dst.Pixel(5, 39), 0x00A000u);
  EXPECT_NE(dst.Pixel(4, 39), 0x00A000u);
}

TEST(GraphUtils, StatesClampAndTinyTargetsPaintNothing) {
  TsBitmap24 master;
  const skin::TsMaskData m = BorderImage(master, 3, 3, 3, 3);
  TsBitmap24 dst = Filled(30, 20, 0x777777);
  skin::PaintBorderImage(dst, {0, 0, 30, 20}, true, false, 5, m, master, {});
  EXPECT_EQ(dst.Pixel(0, 0), 0x0000A2u);
  EXPECT_EQ(dst.Pixel(15, 10), 0x300000u);  // middle of state 2
  for (int w : {0, 1}) {
    TsBitmap24 tiny = Filled(4, 4, 0x777777);
    skin::PaintBorderImage(tiny, {0, 0, w, 4}, true, false, 0, m, master, {});
    EXPECT_EQ(tiny.Pixel(0, 0), 0x777777u);
  }
}

TEST(GraphUtils, BorderImagesOutsideTheMasterAreCut) {
  TsBitmap24 master;
  skin::TsMaskData m = BorderImage(master, 7, 8, 7, 8);
  m.SourceRect = {40, -10, 400, 300};  // mostly outside the master bitmap
  TsBitmap24 dst = Filled(12, 8, 0x777777);
  skin::PaintBorderImage(dst, {-3, -3, 20, 20}, true, true, 1, m, master, {});
  m.ImageCount = 0;
  m.SourceRect = {0, 0, 0, 0};
  skin::PaintBorderImage(dst, {0, 0, 12, 8}, true, true, 0, m, master, {});
  SUCCEED();
}

TEST(GraphUtils, KeyedCornersTakeTheParentWhenRefilling) {
  TsBitmap24 master;
  skin::TsMaskData m = BorderImage(master, 3, 3, 3, 3);
  master.SetPixel(0, 0, skin::clFuchsia);
  const TsBitmap24 parent = Filled(12, 8, 0x123456);
  for (bool refill : {true, false}) {
    TsBitmap24 dst = Filled(6, 6, 0x777777);
    skin::PaintBorderImage(dst, {0, 0, 6, 6}, true, refill, 0, m, master, {&parent, 2, 2, true});
    EXPECT_EQ(dst.Pixel(0, 0), refill ? 0x123456u : 0x777777u);
  }
}

// Corner refill: the corners of a painted border get their pixels again,
// key pixels from the parent's picture, its colour, or left alone.
TEST(GraphUtils, RefilledCornersTakeTheBackgroundInTheirKeyPixels) {
  TsBitmap24 master;
  skin::TsMaskData m = BorderImage(master, 3, 3, 3, 3);
  for (int s = 0; s < 3; ++s) {
    master.SetPixel(20 * s, 0, skin::clFuchsia);       // top-left key pixel
    master.SetPixel(20 * s + 19, 0, skin::clFuchsia);  // top-right key pixel
  }
  const TsBitmap24 parent = Filled(12, 8, 0x123456);
  const skin::TCacheInfo ready{&parent, 2, 2, true};
  struct Case {
    uint8_t corners;
    bool withParent;
    TColor keyColor, at00, at10, at50, at40, at55;
  } cases[] = {
      {1, true, skin::clFuchsia, 0x123456, 0x0000A1, 0x777777, 0x777777, 0x777777},
      {skin::kAllCorners, true, skin::clFuchsia, 0x123456, 0x0000A1, 0x123456, 0x200000, 0x00A001},
      {skin::kAllCorners, false, 0x0000FF, 0x0000FF, 0x0000A1, 0x0000FF, 0x200000, 0x00A001},
      {skin::kAllCorners, false, skin::clFuchsia, 0x777777, 0x0000A1, 0x777777, 0x200000, 0x00A001},
      {8, true, skin::clFuchsia, 0x777777, 0x777777, 0x777777, 0x777777, 0x00A001},
  };
  for (const Case& c : cases) {
    TsBitmap24 dst = Filled(6, 6, 0x777777);
    skin::TransparentKeyColor() = c.keyColor;
    skin::RefillBorderCorners(dst, {0, 0, 6, 6}, 1, m, master, c.corners, c.withParent ? ready : skin::TCacheInfo{});
    skin::TransparentKeyColor() = skin::clFuchsia;
    const int n = static_cast<int>(&c - cases);
    EXPECT_EQ(dst.Pixel(0, 0), c.at00) << n;
    EXPECT_EQ(dst.Pixel(1, 0), c.at10) << n;
    EXPECT_EQ(dst.Pixel(5, 0), c.at50) << n;
    EXPECT_EQ(dst.Pixel(4, 0), c.at40) << n;
    EXPECT_EQ(dst.Pixel(5, 5), c.at55) << n;
  }
}

TEST(GraphUtils, OwnPicturesWithoutStateCountRefillAsThreeMaskedStates) {
  // Three 4 x 3 states over their mask rows; black mask: the picture shows.
  auto pic = std::make_shared<TsBitmap24>(Filled(12, 6, 0));
  for (int s = 0; s < 3; ++s) skin::FillRect24(*pic, {4 * s, 0, 4 * s + 4, 3}, 0x000010u * (s + 1));
  pic->SetPixel(4, 0, skin::clFuchsia);
  skin::TsMaskData m;
  m.Picture = pic;
  m.SourceRect = {0, 0, 12, 6};
  m.ImageCount = 0;
  m.WL = m.WT = m.WR = m.WB = 2;
  const TsBitmap24 parent = Filled(8, 8, 0x654321);
  TsBitmap24 dst = Filled(6, 6, 0x777777);
  skin::RefillBorderCorners(dst, {0, 0, 6, 6}, 1, m, {}, skin::kAllCorners, {&parent, 0, 0, true});
  EXPECT_EQ(dst.Pixel(0, 0), 0x654321u);
  EXPECT_EQ(dst.Pixel(1, 1), 0x000020u);
  EXPECT_EQ(dst.Pixel(5, 5), 0x000020u);
  EXPECT_EQ(dst.Pixel(3, 3), 0x777777u);  // the middle is not a corner
}

// Nothing outside either bitmap is touched (the sanitizers watch the
// reads); targets too small for a border change nothing at all.
TEST(GraphUtils, RefillingBadRectanglesAndMarginsStaysInsideTheBitmaps) {
  TsBitmap24 master;
  skin::TsMaskData m = BorderImage(master, 3, 3, 3, 3);
  const TsBitmap24 parent = Filled(4, 4, 0x123456);
  struct Case {
    skin::TRect rect;
    int16_t margin, imageCount;
    skin::TRect source;
    bool unchanged;
  } cases[] = {
      {{0, 0, 0, 0}, 3, 3, {0, 0, 60, 16}, true},         {{0, 0, 1, 6}, 3, 3, {0, 0, 60, 16}, true},
      {{2, 2, 8, 3}, 3, 3, {0, 0, 60, 16}, true},         {{-3, -3, 4, 4}, 3, 3, {0, 0, 60, 16}, false},
      {{4, 4, 20, 20}, 3, 3, {0, 0, 60, 16}, false},      {{0, 0, 6, 6}, 40, 3, {0, 0, 60, 16}, false},
      {{-50, -50, 50, 50}, 40, 3, {0, 0, 60, 16}, false}, {{0, 0, 6, 6}, 3, 0, {50, -8, 90, 30}, false},
  };
  for (const Case& c : cases) {
    m.WL = m.WT = m.WR = m.WB = c.margin;
    m.ImageCount = c.imageCount;
    m.SourceRect = c.source;
    for (int16_t mask : {0, 1}) {
      m.MaskType = mask;
      TsBitmap24 dst = Filled(6, 6, 0x777777);
      skin::RefillBorderCorners(dst, c.rect, 2, m, master, skin::kAllCorners, {&parent, -2, 5, true});
      if (c.unchanged) EXPECT_EQ(dst, Filled(6, 6, 0x777777)) << (&c - cases);
    }
  }
  TsBitmap24 empty;
  skin::RefillBorderCorners(empty, {0, 0, 6, 6}, 0, m, master, skin::kAllCorners, {});
  EXPECT_TRUE(empty.Empty());
}

// Tables with one section "S" and the given look.
skin::TsSkinTables OneSection(const skin::TsGeneralData& g) {
  skin::TsSkinTables t;
  t.gd.push_back(g);
  t.gd.back().SectionName = "S";
  return t;
}

TEST(GraphUtils, FullTransparencyShowsExactlyTheParentsCache) {
  skin::TsGeneralData g;
  g.Color = 0x00FF00;
  g.Transparency = 100;
  const skin::TsSkinTables t = OneSection(g);
  TsBitmap24 parent(12, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) parent.SetPixel(x, y, static_cast<TColor>(x * 20 + y * 0x1000));
  TsBitmap24 dst = Filled(4, 3, 0);
  skin::PaintSectionBackground(dst, t, 0, {&parent, 0, 0, true}, skin::clFuchsia, -1, -1, {5, 2}, {0, 0, 4, 3}, false);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.Pixel(x, y), parent.Pixel(5 + x, 2 + y));
  // Half transparency: the background keeps 50 * 255 / 100 = 127 of 256.
  g.Transparency = 50;
  const skin::TsSkinTables half = OneSection(g);
  skin::PaintSectionBackground(dst, half, 0, {&parent, 0, 0, true}, skin::clFuchsia, -1, -1, {5, 2}, {0, 0, 4, 3},
                               false);
  const TColor p = parent.Pixel(6, 3);
  auto mix = [](int bgc, int c) { return static_cast<TColor>((bgc * 127 + c * 128 + 127) >> 8); };
  EXPECT_EQ(dst.Pixel(1, 1), mix(p & 0xFF, 0) | mix((p >> 8) & 0xFF, 0xFF) << 8 | mix(p >> 16, 0) << 16);
}

TEST(GraphUtils, GradientShareIsFadedTowardsTheColour) {
  skin::TsGeneralData g;
  g.Color = 0x0000FF;
  g.GradientPercent = 40;
  g.GradientArray = skin::ParseGradientData("16777215;16777215;100;0;0");
  const skin::TsSkinTables t = OneSection(g);
  TsBitmap24 dst(12, 8);
  skin::PaintSkinSection(dst, t, 0, {}, -1, -1, {0, 0}, {0, 0, 12, 8}, 0, true);
  EXPECT_EQ(dst.Pixel(3, 3), 0x6666FFu);  // white keeps 40 %: 0.4 * 255 = 102
  // The hot look uses the hot values; nothing happens for a bad section or rectangle.
  g.HotColor = 0x00FF00;
  const skin::TsSkinTables hot = OneSection(g);
  skin::PaintSkinSection(dst, hot, 0, {}, -1, -1, {0, 0}, {0, 0, 12, 8}, 1, true);
  EXPECT_EQ(dst.Pixel(3, 3), 0x00FF00u);
  skin::PaintSkinSection(dst, hot, 1, {}, -1, -1, {0, 0}, {0, 0, 12, 8}, 0, true);
  skin::PaintSkinSection(dst, t, 0, {}, -1, -1, {0, 0}, {-1, 0, 12, 8}, 0, true);
  EXPECT_EQ(dst.Pixel(3, 3), 0x00FF00u);
}

TEST(GraphUtils, TexturesTileAndLeaveTheRestToTheColour) {
  skin::TsGeneralData g;
  g.Color = 0x0000FF;
  g.ImagePercent = 100;
  skin::TsSkinTables t = OneSection(g);
  t.MasterBitmap = Filled(3, 2, 0xAAAAAA);
  t.MasterBitmap.SetPixel(0, 0, 0x111111);
  skin::TsMaskData tex;
  tex.SectionName = "S";
  tex.PropertyName = "PATTERN";
  tex.ImgType = skin::itisaTexture;
  tex.SourceRect = {0, 0, 3, 2};
  for (skin::TsStretchMode mode : {skin::smTile, skin::smTopRow}) {
    tex.StretchMode = mode;
    t.ma = {tex};
    TsBitmap24 dst(12, 8);
    skin::PaintSectionBackground(dst, t, 0, {}, skin::clFuchsia, -1, -1, {0, 0}, {0, 0, 12, 8}, false);
    EXPECT_EQ(dst.Pixel(9, 0), 0x111111u);
    EXPECT_EQ(dst.Pixel(9, 2), mode == skin::smTile ? 0x111111u : 0x0000FFu);
  }
}

TEST(GraphUtils, ControlGlyphsSkipTheirKeyAndBlendWhenInactive) {
  TsBitmap24 glyph = Filled(4, 2, 0x0000FF);
  glyph.SetPixel(0, 1, 0x00FF00);  // bottom-left: the key colour
  glyph.SetPixel(1, 1, 0x00FF00);
  glyph.SetPixel(2, 0, 0x303030);
  struct Case {
    skin::TsControlGlyph how;
    TColor at00, at20;
  } cases[] = {
      {{0, false, skin::dgBlended, false, true, 1}, 0x0000FF, 0x303030},
      {{50, false, skin::dgBlended, false, true, 1}, 0x000080, 0x181818},  // (0 * 50 + 255 * 50 + 50) / 100 = 128
      {{50, true, skin::dgBlended, false, true, 1}, 0x0000FF, 0x303030},
      {{0, false, skin::dgGrayed, false, false, 1}, 0x555555, 0x303030},
      {{0, false, skin::dgBlended, false, false, 2}, 0x303030, 0},  // the second of two glyphs
  };
  for (const Case& c : cases) {
    TsBitmap24 dst = Filled(12, 8, 0);
    skin::PaintControlGlyph(glyph, dst, {5, 5}, c.how);
    if (c.how.NumGlyphs == 1) EXPECT_EQ(dst.Pixel(5, 6), 0u);  // key pixel not drawn
    EXPECT_EQ(dst.Pixel(5, 5), c.at00);
    if (c.how.NumGlyphs == 1) EXPECT_EQ(dst.Pixel(7, 5), c.at20);
  }
}

TEST(GraphUtils, AGivenKeyColourReplacesTheBottomLeftPixel) {
  TsBitmap24 glyph = Filled(2, 2, 0x0000FF);
  glyph.SetPixel(1, 0, skin::clFuchsia);  // the given key; bottom-left is an ordinary pixel
  skin::TsControlGlyph how;
  how.KeyGiven = true;
  how.Key = skin::clFuchsia;
  TsBitmap24 dst = Filled(4, 4, 0);
  skin::PaintControlGlyph(glyph, dst, {1, 1}, how);
  EXPECT_EQ(dst.Pixel(1, 2), 0x0000FFu);
  EXPECT_EQ(dst.Pixel(2, 1), 0u);
}

TEST(GraphUtils, TwoImageGlyphsAddTheDisabledImage) {
  TsBitmap24 image = Filled(2, 1, 0x604020);
  image.SetPixel(1, 0, skin::clFuchsia);
  struct Case {
    uint8_t kind;
    TColor disabled;
  } cases[] = {
      {0, 0x604020},
      {skin::dgGrayed, 0x404040},                    // (0x60 + 0x40 + 0x20) / 3
      {skin::dgBlended, 0x706050},                   // halfway to the face 0x808080
      {skin::dgGrayed | skin::dgBlended, 0x606060},  // grey, then halfway
  };
  for (const Case& c : cases) {
    const TsBitmap24 g = skin::TwoImageGlyph(image, skin::clFuchsia, c.kind, 0x808080);
    ASSERT_EQ(g.Width(), 4);
    EXPECT_EQ(g.Pixel(0, 0), 0x604020u);
    EXPECT_EQ(g.Pixel(1, 0), skin::clFuchsia);
    EXPECT_EQ(g.Pixel(2, 0), c.disabled) << int(c.kind);
    EXPECT_EQ(g.Pixel(3, 0), skin::clFuchsia) << "the key stays transparent";
  }
}

}  // namespace
