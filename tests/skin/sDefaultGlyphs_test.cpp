#include "skin/sDefaultGlyphs.h"

#include <gtest/gtest.h>

namespace {

bool Yellowish(skin::TColor c) { return (c & 0xFF) > 200 && ((c >> 8) & 0xFF) > 150 && ((c >> 16) & 0xFF) < 170; }
bool Bluish(skin::TColor c) { return ((c >> 16) & 0xFF) > 150 && (c & 0xFF) < 100; }

TEST(DefaultGlyphs, OpenFileIsThreeFramesOfAYellowFolderWithABlueArrowOverTheirMasks) {
  const skin::TsBitmap24 g = skin::DrawOpenFileGlyph();
  ASSERT_EQ(g.Width(), 60);
  ASSERT_EQ(g.Height(), 34);
  for (int frame = 0; frame < skin::kGlyphFrames; ++frame) {
    SCOPED_TRACE(frame);
    int yellow = 0, blue = 0, opaque = 0;
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 20; ++x) {
        const skin::TColor c = g.Pixel(frame * 20 + x, y), m = g.Pixel(frame * 20 + x, y + 17);
        ASSERT_TRUE(m == 0 || m == 0xFFFFFF);
        // Only drawn pixels are opaque; the rest of the frame shows what lies behind.
        if (m == 0) {
          ++opaque;
          yellow += Yellowish(c);
          blue += Bluish(c);
        } else {
          EXPECT_EQ(c, 0u);
        }
      }
    EXPECT_GT(yellow, 60);
    EXPECT_GT(blue, 10);
    EXPECT_LT(opaque, 20 * 17);
  }
  // The pressed frame is the hot one moved one pixel right and down.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 19; ++x) EXPECT_EQ(g.Pixel(40 + x + 1, y + 1), g.Pixel(20 + x, y)) << x << "," << y;
}

}  // namespace
