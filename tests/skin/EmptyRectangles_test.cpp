// Every platform-free painter given a rectangle without pixels (no width,
// no height, or right and bottom before left and top) draws nothing and
// raises nothing, wherever the rectangle lies.
#include <gtest/gtest.h>

#include <functional>

#include "skin/sAlphaGraph.h"
#include "skin/sGradient.h"
#include "skin/sGraphUtils.h"
#include "tests/skin/FilledBitmap.h"

namespace {

using skin::TRect;
using skin::TsBitmap24;
using skin::test::Filled;

constexpr skin::TColor kRed = 0x0000FF, kGrey = 0x777777;

// A section "S" with a gradient, a border image and a top-left corner image,
// all cut from a 12 x 4 master of red and fuchsia.
skin::TsSkinTables Tables() {
  skin::TsSkinTables t;
  t.MasterBitmap = Filled(12, 4, kRed);
  skin::FillRect24(t.MasterBitmap, {0, 0, 1, 1}, skin::clFuchsia);
  skin::TsGeneralData g;
  g.SectionName = "S";
  g.Color = g.HotColor = kRed;
  g.GradientPercent = 50;
  g.GradientArray = skin::ParseGradientData("255;0;100;0;0");
  t.gd.push_back(g);
  for (const char* role : {"BORDERSMASK", "IMGTOPLEFT"}) {
    skin::TsMaskData m;
    m.SectionName = "S";
    m.PropertyName = role;
    m.SourceRect = {0, 0, 12, 4};
    m.ImageCount = 3;
    m.WL = m.WT = m.WR = m.WB = 1;
    t.ma.push_back(m);
  }
  return t;
}

TEST(EmptyRectangles, PaintNothing) {
  const skin::TsSkinTables t = Tables();
  const TsBitmap24 src = Filled(8, 8, kRed);
  const TsBitmap24 parent = Filled(20, 20, 0x00FF00);
  const skin::TCacheInfo bg = {&parent, 0, 0, true};
  const skin::TsMaskData& border = t.ma[0];
  const TRect whole = {0, 0, 4, 4};
  const struct {
    const char* what;
    std::function<void(TsBitmap24&, TRect)> paint;
  } painters[] = {
      {"FillRect24", [&](TsBitmap24& d, TRect r) { skin::FillRect24(d, r, kRed); }},
      {"FadeRectToColor", [&](TsBitmap24& d, TRect r) { skin::FadeRectToColor(d, r, 50, kRed); }},
      {"PaintFocusDots", [&](TsBitmap24& d, TRect r) { skin::PaintFocusDots(d, r); }},
      {"FillFromBackground", [&](TsBitmap24& d, TRect r) { skin::FillFromBackground(d, r, bg); }},
      {"CopyRect", [&](TsBitmap24& d, TRect r) { skin::CopyRect(d, src, 2, 2, r); }},
      {"CopyKeyedRect", [&](TsBitmap24& d, TRect r) { skin::CopyKeyedRect(d, src, 2, 2, true, bg, 0, r); }},
      {"StretchRect, target", [&](TsBitmap24& d, TRect r) { skin::StretchRect(d, r, src, whole); }},
      {"StretchRect, source", [&](TsBitmap24& d, TRect r) { skin::StretchRect(d, whole, src, r); }},
      {"CopyMaskedRect, target", [&](TsBitmap24& d, TRect r) { skin::CopyMaskedRect(r, whole, d, 4, true, bg, src); }},
      {"CopyMaskedRect, source", [&](TsBitmap24& d, TRect r) { skin::CopyMaskedRect(whole, r, d, 4, true, bg, src); }},
      {"BlendRect", [&](TsBitmap24& d, TRect r) { skin::BlendRect(d, src, 100, 2, 2, r); }},
      {"PaintGradient", [&](TsBitmap24& d, TRect r) { skin::PaintGradient(d, r, t.gd[0].GradientArray); }},
      {"PaintSectionBackground",
       [&](TsBitmap24& d, TRect r) { skin::PaintSectionBackground(d, t, 0, bg, skin::clFuchsia, -1, -1, {}, r, false); }},
      {"PaintSkinSection", [&](TsBitmap24& d, TRect r) { skin::PaintSkinSection(d, t, 0, bg, -1, -1, {}, r, 1, true); }},
      {"PaintScrollSection",
       [&](TsBitmap24& d, TRect r) { skin::PaintScrollSection(d, t, 0, 0, -1, -1, {}, r, 0, true, bg); }},
      {"PaintBorderImage",
       [&](TsBitmap24& d, TRect r) { skin::PaintBorderImage(d, r, true, true, 0, border, t.MasterBitmap, bg); }},
      {"RefillBorderCorners",
       [&](TsBitmap24& d, TRect r) {
         skin::RefillBorderCorners(d, r, 0, border, t.MasterBitmap, skin::kAllCorners, bg);
       }},
      {"PaintCornerImages", [&](TsBitmap24& d, TRect r) { skin::PaintCornerImages(d, t, 0, r, 0); }},
  };
  const TRect empties[] = {
      {3, 3, 3, 3}, {3, 3, 3, 9}, {3, 3, 9, 3}, {9, 9, 3, 3},  // inside, flat or upside down
      {0, 0, 0, 0}, {16, 16, 16, 16}, {-5, -5, -5, -5},       // at the corners and outside
      {3, -5, 9, -5}, {16, 3, 16, 9},
  };
  for (const auto& p : painters) {
    for (const TRect& r : empties) {
      TsBitmap24 dst = Filled(16, 16, kGrey);
      EXPECT_NO_THROW(p.paint(dst, r)) << p.what;
      EXPECT_TRUE(dst == Filled(16, 16, kGrey)) << p.what << " over {" << r.Left << ", " << r.Top << ", " << r.Right
                                            << ", " << r.Bottom << "}";
    }
  }
}

}  // namespace
