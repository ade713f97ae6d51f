// A skinned scroll bar's picture: track sections split at the thumb's
// centre, arrows at both ends, the thumb where the geometry puts it (or
// where a drag holds it), and no thumb on a disabled bar. The sections are
// plain colours, so every part is recognised by its colour.
#include "skin/orvScrollPaint.h"

#include <gtest/gtest.h>

#include "skin/sCachedIndexes.h"
#include "tests/skin/FilledBitmap.h"

namespace {

using skin::TColor;

constexpr TColor kTrack1 = 0x0000FF, kTrack2 = 0x00FF00, kArrowTop = 0xFF0000, kArrowBottom = 0x00FFFF,
                 kSlider = 0xFFFFFF, kLeft = 0x808000, kRight = 0x008080, kTrackH = 0x404040, kSliderH = 0x202020;

skin::TsSkinTables Tables() {
  skin::TsSkinTables t;
  t.MasterBitmap = skin::test::Filled(4, 4, 0);
  const struct {
    const char* name;
    TColor color;
  } sections[] = {{"SCROLLBAR1V", kTrack1},       {"SCROLLBAR2V", kTrack2},   {"SCROLLBTNTOP", kArrowTop},
                  {"SCROLLBTNBOTTOM", kArrowBottom}, {"SCROLLSLIDERV", kSlider}, {"SCROLLBTNLEFT", kLeft},
                  {"SCROLLBTNRIGHT", kRight},     {"SCROLLBAR1H", kTrackH},   {"SCROLLBAR2H", kTrackH},
                  {"SCROLLSLIDERH", kSliderH}};
  for (const auto& s : sections) {
    skin::TsGeneralData g;
    g.SectionName = s.name;
    g.Color = g.HotColor = s.color;
    t.gd.push_back(g);
  }
  return t;
}

TEST(ScrollPaint, PartsOfAVerticalBar) {
  const skin::TsSkinTables t = Tables();
  const skin::TsCachedIndexes c = skin::ComputeCachedIndexes(t);
  ASSERT_TRUE(skin::CanPaintScrollBar(c, true));
  const TColor back = 0x123456;
  const skin::TsBitmap24 window = skin::test::Filled(17, 100, back);
  const skin::TCacheInfo bg = {&window, 0, 0, true};
  const struct {
    const char* what;
    skin::TorvScrollInfo info;
    int32_t dragged;
    bool enabled;
    // Colour at y = 5, 50, 76, 95 (the lower arrow covers 83..99).
    TColor at5, at50, at76, at95;
  } cases[] = {
      // Thumb 73..82 (centre 78): the first track runs to 78.
      {"at 90", {0, 99, 10, 90}, -1, true, kArrowTop, kTrack1, kSlider, kArrowBottom},
      // Thumb 17..26: everything after its centre is the second track.
      {"at 0", {0, 99, 10, 0}, -1, true, kArrowTop, kTrack2, kTrack2, kArrowBottom},
      {"dragged to 70", {0, 99, 10, 0}, 70, true, kArrowTop, kTrack1, kSlider, kArrowBottom},
      {"page covers the range: no thumb", {0, 99, 100, 0}, -1, true, kArrowTop, kTrack2, kTrack2, kArrowBottom},
  };
  for (const auto& k : cases) {
    skin::TsBitmap24 bar(17, 100);
    skin::TorvBarLook look;
    look.Vertical = true;
    look.Arrow = look.GlyphBox = 17;
    look.Info = k.info;
    look.DraggedThumbStart = k.dragged;
    look.Enabled = k.enabled;
    skin::PaintScrollBar(bar, t, c, look, bg);
    EXPECT_EQ(bar.Pixel(8, 5), k.at5) << k.what;
    EXPECT_EQ(bar.Pixel(8, 50), k.at50) << k.what;
    EXPECT_EQ(bar.Pixel(8, 76), k.at76) << k.what;
    EXPECT_EQ(bar.Pixel(8, 95), k.at95) << k.what;
  }
}

TEST(ScrollPaint, DisabledBarHasNoThumbAndIsDimmed) {
  const skin::TsSkinTables t = Tables();
  const skin::TsCachedIndexes c = skin::ComputeCachedIndexes(t);
  const skin::TsBitmap24 window = skin::test::Filled(17, 100, 0);
  skin::TsBitmap24 bar(17, 100);
  skin::TorvBarLook look;
  look.Vertical = true;
  look.Arrow = look.GlyphBox = 17;
  look.Info = {0, 99, 10, 90};
  look.Enabled = false;
  skin::PaintScrollBar(bar, t, c, look, {&window, 0, 0, true});
  // The thumb's place shows the track, dimmed towards the black background.
  EXPECT_NE(bar.Pixel(8, 76), kSlider);
  EXPECT_NE(bar.Pixel(8, 76), kTrack1);
  EXPECT_EQ(bar.Pixel(8, 76), bar.Pixel(8, 50));
}

TEST(ScrollPaint, HorizontalBarAndShortBars) {
  const skin::TsSkinTables t = Tables();
  const skin::TsCachedIndexes c = skin::ComputeCachedIndexes(t);
  const skin::TsBitmap24 window = skin::test::Filled(100, 17, 0);
  skin::TorvBarLook look;
  look.Arrow = look.GlyphBox = 17;
  look.Info = {0, 99, 10, 0};
  skin::TsBitmap24 bar(100, 17);
  skin::PaintScrollBar(bar, t, c, look, {&window, 0, 0, true});
  EXPECT_EQ(bar.Pixel(5, 8), kLeft);
  EXPECT_EQ(bar.Pixel(20, 8), kSliderH);
  EXPECT_EQ(bar.Pixel(95, 8), kRight);
  // Shorter than two arrows: two half-length arrows and nothing else.
  skin::TsBitmap24 shortBar(20, 17);
  skin::PaintScrollBar(shortBar, t, c, look, {&window, 0, 0, true});
  EXPECT_EQ(shortBar.Pixel(2, 8), kLeft);
  EXPECT_EQ(shortBar.Pixel(17, 8), kRight);
  // Too small to hold anything: nothing is painted, nothing breaks.
  for (auto [w, h] : {std::pair{1, 17}, {100, 0}, {0, 0}}) {
    skin::TsBitmap24 tiny(w, h);
    skin::PaintScrollBar(tiny, t, c, look, {&window, 0, 0, true});
  }
}

}  // namespace
