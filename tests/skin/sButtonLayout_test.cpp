// Glyph and caption places of the glyph buttons: the main window's Close
// button, margins, an edit button's centred glyph, captions beside and
// below glyphs, the text offset and the pressed shift; a bitmap button's
// caption by the button layout rule.
#include "skin/sButtonLayout.h"

#include <gtest/gtest.h>

namespace {

using skin::TsButtonBox;

TsButtonBox Box(int w, int h, int gw, int gh, int tw, int th, int margin, int layout, int alignment) {
  TsButtonBox b;
  b.Width = w, b.Height = h, b.GlyphWidth = gw, b.GlyphHeight = gh, b.TextWidth = tw, b.TextHeight = th;
  b.Margin = margin, b.Layout = layout, b.Alignment = alignment;
  return b;
}

TsButtonBox Spaced(TsButtonBox b, int spacing) {
  b.Spacing = spacing;
  return b;
}

TEST(ButtonLayout, GlyphPositions) {
  struct Case {
    TsButtonBox box;
    int gap, state, x, y;
  } cases[] = {
      {Box(85, 80, 56, 56, 0, 0, -1, 0, 2), 0, 0, 14, 12},   // caption-less Close button: centred
      {Box(85, 80, 56, 56, 0, 0, 0, 0, 0), 0, 0, 3, 12},     // Margin 0, left-aligned
      {Box(21, 21, 16, 16, 0, 0, -1, 0, 2), 0, 0, 2, 2},     // edit button
      {Box(21, 21, 16, 16, 0, 0, -1, 0, 2), 0, 2, 3, 3},     // pressed
      {Box(80, 24, 16, 16, 30, 13, -1, 0, 2), 4, 0, 15, 4},  // glyph left of a caption
      {Box(80, 24, 16, 16, 30, 13, -1, 1, 1), 4, 0, 64, 4},  // glyph right, right-aligned
      {Box(40, 50, 16, 16, 20, 13, -1, 2, 2), 4, 0, 13, 8},  // glyph above a caption
      {Box(40, 50, 16, 16, 20, 13, -1, 3, 2), 4, 0, 13, 26},
  };
  for (const Case& c : cases) {
    const skin::TPoint p = skin::ButtonGlyphPos(c.box, c.gap, c.state);
    EXPECT_EQ(p.X, c.x) << (&c - cases);
    EXPECT_EQ(p.Y, c.y) << (&c - cases);
  }
}

TEST(ButtonLayout, SpeedButtonCaptionFollowsTheGlyph) {
  struct Case {
    TsButtonBox box;
    bool hasCaption;
    int textOffset, state;
    skin::TRect r;
  } cases[] = {
      {Box(80, 24, 16, 16, 30, 13, -1, 0, 2), true, 0, 0, {34, 5, 67, 19}},  // right of the glyph at 15 + 16 + 4
      {Box(80, 24, 16, 16, 30, 13, -1, 0, 2), true, 3, 2, {38, 6, 71, 20}},
      {Box(60, 24, 0, 0, 30, 13, -1, 0, 2), true, 0, 0, {14, 5, 47, 19}},    // no glyph: centred
      {Box(40, 50, 16, 16, 20, 13, -1, 2, 2), true, 0, 0, {9, 28, 32, 42}},  // below the glyph at 8 + 16 + 4
      {Box(40, 50, 16, 16, 20, 13, -1, 3, 2), true, 0, 0, {9, 8, 32, 22}},
      {Box(80, 24, 16, 16, 30, 13, -1, 1, 0), true, 0, 0, {-1, 5, 32, 19}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(skin::SpeedCaptionRect(c.box, c.hasCaption, c.textOffset, c.state), c.r) << (&c - cases);
}

TEST(ButtonLayout, BitmapButtonCaptionByTheLayoutRule) {
  struct Case {
    const char* name;
    TsButtonBox box;
    bool rightToLeft;
    int state, x, y;
  } cases[] = {
      {"caption only: centred", Box(85, 30, 0, 0, 41, 13, -1, 0, 2), false, 0, 22, 9},
      {"caption only, pressed", Box(85, 30, 0, 0, 41, 13, -1, 0, 2), false, 2, 23, 10},
      {"caption only, left: margin -1 is 2", Box(85, 30, 0, 0, 41, 13, -1, 0, 0), false, 0, 2, 9},
      {"caption only, right: margin -1 is 2", Box(85, 30, 0, 0, 41, 13, -1, 0, 1), false, 0, 42, 9},
      {"right of the glyph, centred together", Box(80, 24, 16, 16, 30, 13, -1, 0, 2), false, 0, 35, 6},
      {"right to left: left of the glyph", Box(80, 24, 16, 16, 30, 13, -1, 0, 2), true, 0, 15, 6},
      {"below the glyph", Box(40, 50, 16, 16, 20, 13, -1, 2, 2), false, 0, 10, 28},
      {"above the glyph", Box(40, 50, 16, 16, 20, 13, -1, 3, 2), false, 0, 10, 9},
      {"margin given, spacing shares the rest", Spaced(Box(100, 24, 16, 16, 30, 13, 5, 0, 0), -1), false, 0, 45, 6},
      {"margin and spacing a third each", Spaced(Box(100, 24, 16, 16, 30, 13, -1, 0, 0), -1), false, 0, 52, 6},
  };
  for (const Case& c : cases) {
    const skin::TPoint p = skin::ButtonCaptionPos(c.box, c.rightToLeft, c.state);
    EXPECT_EQ(p.X, c.x) << c.name;
    EXPECT_EQ(p.Y, c.y) << c.name;
  }
}

}  // namespace
