#include "skin/sFramePainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "skin/sFrameRegion.h"
#include "skin/sGraphUtils.h"
#include "tests/skin/FilledBitmap.h"

namespace skin {
namespace {

constexpr TColor kForm = 0x203040, kTitle = 0x607080, kEdge = 0x101010, kButton = 0x00C000;

// A skin of the form's and the title's sections, each with a two-state
// border image of 6 x 6 (margins 2; with a mask, its rows below) whose
// top-left corner has three transparent pixels, and a close image of three
// 3 x 3 states. In the master bitmap the form's image comes first, then
// the title's, then the close image.
TsSkinTables FrameSkin(int16_t maskType = 0) {
  TsSkinTables t;
  for (const char* name : {"FORM", "FORMTITLE"}) {
    TsGeneralData g;
    g.SectionName = name;
    g.Color = name[4] ? kTitle : kForm;
    t.gd.push_back(g);
  }
  TsGeneralData global;
  global.SectionName = "GLOBALINFO";
  t.gd.push_back(global);
  const int32_t rows = maskType > 0 ? 12 : 6;
  t.MasterBitmap = test::Filled(12, 2 * rows + 3, kEdge);
  const auto border = [&](const char* section, int32_t top) {
    TsMaskData m;
    m.SectionName = section;
    m.PropertyName = "BORDERSMASK";
    m.SourceRect = {0, top, 12, top + rows};
    m.ImageCount = 2;
    m.MaskType = maskType;
    m.WL = m.WT = m.WR = m.WB = 2;
    for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{0, 1}}) {
      if (maskType > 0)
        t.MasterBitmap.SetPixel(p.X, top + 6 + p.Y, 0xFFFFFF);
      else
        t.MasterBitmap.SetPixel(p.X, top + p.Y, clFuchsia);
    }
    t.ma.push_back(m);
  };
  border("FORM", 0);
  border("FORMTITLE", rows);
  TsMaskData close;
  close.SectionName = "GLOBALINFO";
  close.PropertyName = "BICONCLOSE";
  close.SourceRect = {0, 2 * rows, 9, 2 * rows + 3};
  close.ImageCount = 3;
  close.ImgType = itisaGlyph;
  for (int32_t y = close.SourceRect.Top; y < close.SourceRect.Bottom; ++y)
    for (int32_t x = 0; x < 9; ++x) t.MasterBitmap.SetPixel(x, y, kButton);
  t.ma.push_back(close);
  return t;
}

TFrameLayout Layout(int32_t w, int32_t h, int32_t button = 3) {
  TFrameInput in;
  in.WindowWidth = w;
  in.WindowHeight = h;
  in.ButtonWidth = in.ButtonHeight = button;
  in.ShowAppIcon = false;
  return LayoutFrame(in, {});
}

TFrameLook Look(const TsSkinTables& t, bool active) {
  TFrameLook look;
  look.FormSection = 0;
  look.TitleSection = 1;
  look.ButtonImages[cbClose] = t.GetMaskIndexExact("GLOBALINFO", "BICONCLOSE");
  look.Active = active;
  return look;
}

TEST(FrameRegion, KeyPixelsOfEveryBorderCornerAreCutOut) {
  for (int16_t maskType : {0, 1}) {
    SCOPED_TRACE(maskType);
    const TsSkinTables t = FrameSkin(maskType);
    const std::vector<TFrameRect> cuts = CornerCutouts(t, 0, {0, 0, 40, 30}, 0);
    // Top-left: a run of two on row 0, one pixel on row 1.
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(cuts[0].Left, 0);
    EXPECT_EQ(cuts[0].Right, 2);
    EXPECT_EQ(cuts[0].Top, 0);
    EXPECT_EQ(cuts[1].Right, 1);
    EXPECT_EQ(cuts[1].Top, 1);
  }
}

TEST(FrameRegion, TitleCornersAreCutAtTheTitleStrip) {
  const TsSkinTables t = FrameSkin();
  const TFrameLayout f = Layout(40, 60);
  const std::vector<TFrameRect> cuts = FrameCutouts(t, 0, 1, f, 40, 60, 0);
  EXPECT_EQ(cuts.size(), 4u);  // two runs of the form's corner, two of the title's
}

TEST(FrameRegion, CornersOfATinyWindowShrinkAndNothingLiesOutside) {
  const TsSkinTables t = FrameSkin();
  for (TFrameRect r : {TFrameRect{0, 0, 0, 0}, TFrameRect{0, 0, 1, 1}, TFrameRect{0, 0, 3, 2}}) {
    for (const TFrameRect& c : CornerCutouts(t, 0, r, 0)) {
      EXPECT_GE(c.Left, r.Left);
      EXPECT_LE(c.Right, r.Right);
      EXPECT_LE(c.Bottom, r.Bottom);
    }
  }
}

TEST(FramePainter, CloseButtonIsDrawnAtItsLayoutPlaceAndFadedOnAnInactiveForm) {
  const TsSkinTables t = FrameSkin();
  const TFrameLayout f = Layout(60, 40);
  ASSERT_TRUE(f.Shown[cbClose]);
  const TFrameRect& b = f.Buttons[cbClose];
  for (bool active : {true, false}) {
    TsBitmap24 bmp(60, 40);
    PaintFrame(bmp, t, f, Look(t, active));
    const TColor c = bmp.Pixel(b.Left + 1, b.Top + 1);
    if (active) {
      EXPECT_EQ(c, kButton);
    } else {
      EXPECT_NE(c, kButton);  // half into the title behind it
      EXPECT_GT((c >> 8) & 0xFF, (kTitle >> 8) & 0xFF);
    }
  }
}

// A skin without caption-button images: the buttons keep their room (hit
// tests find them) and nothing is drawn there.
TEST(FramePainter, MissingButtonImagesDrawNothing) {
  const TsSkinTables t = FrameSkin();
  const TFrameLayout f = Layout(80, 50, 0);
  EXPECT_EQ(f.Buttons[cbClose].Width(), kDefaultCaptionButton);
  TFrameLook look = Look(t, true);
  look.ButtonImages[cbClose] = -1;
  TFrameLayout buttonless = f;
  std::fill(std::begin(buttonless.Shown), std::end(buttonless.Shown), false);
  TsBitmap24 painted(80, 50), title(80, 50);
  PaintFrame(painted, t, f, look);
  PaintFrame(title, t, buttonless, look);
  EXPECT_TRUE(painted == title);
}

TEST(FramePainter, RepaintedButtonRestoresTheTitleBehindIt) {
  const TsSkinTables t = FrameSkin();
  const TFrameLayout f = Layout(60, 40);
  TFrameLook bare = Look(t, true);
  bare.ButtonImages[cbClose] = -1;
  TsBitmap24 background(60, 40);
  PaintFrame(background, t, f, bare);
  TsBitmap24 bmp = background;
  PaintCaptionButton(bmp, background, t, f, Look(t, true), cbClose);
  PaintCaptionButton(bmp, background, t, f, bare, cbClose);
  EXPECT_TRUE(bmp == background);
}

TEST(FramePainter, TitleButtonGlyphIsCentredAndMovesWhilePressed) {
  const TsSkinTables t = FrameSkin();
  const TsBitmap24 background = test::Filled(30, 20, kTitle);
  TsBitmap24 glyph = test::Filled(3, 3, kButton);
  glyph.SetPixel(0, 2, kEdge);  // the bottom-left pixel's colour is transparent
  glyph.SetPixel(1, 1, kEdge);
  for (int32_t state : {bsNormal, bsPressed}) {
    TsBitmap24 bmp = background;
    PaintTitleButton(bmp, background, t, {10, 5, 21, 16}, -1, glyph, state);
    // The glyph's top-left at (10 + (11 - 3) / 2, 5 + (11 - 3) / 2), one
    // pixel further while pressed.
    const int32_t x = state == bsPressed ? 15 : 14, y = x - 5;
    EXPECT_EQ(bmp.Pixel(x, y), kButton) << state;
    EXPECT_EQ(bmp.Pixel(x + 1, y + 1), kTitle) << state;  // the glyph's key pixel
    EXPECT_EQ(bmp.Pixel(x - 1, y), kTitle) << state;
  }
}

TEST(FramePainter, TinyAndEmptyWindowsPaintNothingOutside) {
  const TsSkinTables t = FrameSkin();
  for (int32_t side : {0, 1, 2, 5}) {
    TsBitmap24 bmp(side, side);
    PaintFrame(bmp, t, Layout(side, side), Look(t, true));
  }
}

}  // namespace
}  // namespace skin
