// Image lists: strips cut into images, a transparent colour or the strip's
// own alpha, and drawing that blends and clips.
#include "toolkit/ImgList.h"

#include <gtest/gtest.h>

namespace {

using tk::TColor;

void Put(tk::TBitmap& b, int x, TColor c, uint8_t alpha = 255) {
  uint8_t* p = b.ScanLine(0) + b.BitsPerPixel() / 8 * x;
  p[0] = static_cast<uint8_t>(c >> 16), p[1] = static_cast<uint8_t>(c >> 8), p[2] = static_cast<uint8_t>(c);
  if (b.BitsPerPixel() == 32) p[3] = alpha;
}

TColor At(tk::TBitmap& b, int x) {
  const uint8_t* p = b.ScanLine(0) + 3 * x;
  return p[2] | (p[1] << 8) | (p[0] << 16);
}

void FillWhite(tk::TBitmap& b) {
  for (int x = 0; x < b.Width(); ++x) Put(b, x, tk::clWhite);
}

TEST(ImageList, MaskedStripsGiveImagesWithTransparentPixels) {
  tk::TImageList list(nullptr);
  list.SetSize(2, 1);
  tk::TBitmap strip(5, 1);  // two images and a column too few for a third
  const TColor colours[] = {tk::clFuchsia, 0x0000FF, 0x00FF00, 0x00FF00, 0x123456};
  for (int x = 0; x < 5; ++x) Put(strip, x, colours[x]);
  EXPECT_EQ(list.AddMasked(strip, tk::clFuchsia), 0);
  EXPECT_EQ(list.AddMasked(strip, tk::clNone), 2);
  ASSERT_EQ(list.Count(), 4);

  struct Case {
    int index, x;
    TColor left, right;
  } cases[] = {
      {0, 0, tk::clWhite, 0x0000FF},                                     // the mask colour lets the white through
      {2, 0, tk::clFuchsia, 0x0000FF},                                   // no mask colour: every pixel drawn
      {1, 0, 0x00FF00, 0x00FF00},       {0, -1, 0x0000FF, tk::clWhite},  // cut at the left edge
      {1, 1, tk::clWhite, 0x00FF00},                                     // cut at the right edge
      {4, 0, tk::clWhite, tk::clWhite},                                  // no such image
  };
  for (const Case& c : cases) {
    tk::TBitmap dst(2, 1);
    FillWhite(dst);
    list.Draw(dst, c.x, 0, c.index);
    EXPECT_EQ(At(dst, 0), c.left) << c.index << " at " << c.x;
    EXPECT_EQ(At(dst, 1), c.right) << c.index << " at " << c.x;
  }
  list.SetSize(4, 1);
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageList, AlphaStripsBlend) {
  tk::TImageList list(nullptr);
  list.SetSize(1, 1);
  tk::TBitmap strip(1, 1, 32);
  Put(strip, 0, 0xFF0000, 128);
  ASSERT_EQ(list.AddMasked(strip, tk::clFuchsia), 0);
  tk::TBitmap dst(1, 1);
  FillWhite(dst);
  list.Draw(dst, 0, 0, 0);
  EXPECT_EQ(At(dst, 0), 0xFF7F7Fu);  // blue kept, red and green (255 * 127 + 127) / 255
}

}  // namespace
