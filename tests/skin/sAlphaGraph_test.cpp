// Keyed and masked copies, blends, fades, grey and focus dots on small
// bitmaps built here; pixels outside the bitmaps are never touched (the
// sanitizers watch the native build).
#include "skin/sAlphaGraph.h"

#include <gtest/gtest.h>

#include "tests/skin/FilledBitmap.h"

namespace {

using skin::TColor;
using skin::TsBitmap24;
using skin::test::Filled;

TEST(AlphaGraph, AttachNeedsTwoByTwoAnd24Bits) {
  TsBitmap24 small(1, 8), ok(2, 2);
  skin::TorvFast24 f;
  EXPECT_FALSE(f.Attach(small));
  EXPECT_TRUE(f.Attach(ok));
  uint8_t bits[64] = {};
  try {
    f.Attach(bits, 8, 2, 2, 32);
    FAIL();
  } catch (const skin::EAssertionFailed& e) {
    EXPECT_EQ(e.Message(), "Bitmap format is not supported");
  }
}

TEST(AlphaGraph, KeyedCopyTakesBackgroundOnlyWhenAskedAndReady) {
  TsBitmap24 src = Filled(3, 2, 0x112233);
  src.SetPixel(1, 0, skin::clFuchsia);
  TsBitmap24 parent = Filled(12, 8, 0x0000AA);
  parent.SetPixel(5 + 2, 3 + 1, 0x00BB00);  // behind target pixel (2, 1)
  const skin::TCacheInfo bg{&parent, 5, 3, true};
  struct Case {
    bool useBg, ready;
    TColor expect;
  } cases[] = {{true, true, 0x00BB00}, {false, true, 0x777777}, {true, false, 0x777777}};
  for (const Case& c : cases) {
    TsBitmap24 dst = Filled(12, 8, 0x777777);
    skin::TCacheInfo b = bg;
    b.Ready = c.ready;
    skin::CopyKeyedRect(dst, src, 1, 1, c.useBg, b, skin::clFuchsia, {0, 0, 3, 2});
    EXPECT_EQ(dst.Pixel(2, 1), c.expect);
    EXPECT_EQ(dst.Pixel(1, 1), 0x112233u);
    EXPECT_EQ(dst.Pixel(0, 1), 0x777777u);
  }
}

TEST(AlphaGraph, CopiesCutAtEveryEdge) {
  TsBitmap24 src = Filled(12, 8, 0x010203), dst = Filled(12, 8, 0);
  skin::CopyKeyedRect(dst, src, -3, -2, false, {}, skin::clFuchsia, {-5, -5, 40, 40});
  skin::CopyKeyedRect(dst, src, 10, 6, false, {}, skin::clFuchsia, {0, 0, 12, 8});
  skin::CopyRect(dst, src, 11, 7, {0, 0, 12, 8});
  skin::StretchRect(dst, {-4, -4, 30, 30}, src, {0, 0, 12, 8});
  skin::CopyMaskedRect({-2, -2, 20, 20}, {0, 0, 12, 4}, dst, 4, true, {}, src);
  skin::BlendRect(dst, src, 128, -6, 5, {0, 0, 12, 8});
  EXPECT_EQ(dst.Pixel(11, 7), 0x010203u);
}

TEST(AlphaGraph, MaskPixelsWeighPictureAgainstTarget) {
  // Picture row over mask row, two pixels: black mask shows the picture,
  // white mask leaves the target (weight 255/256).
  TsBitmap24 src(2, 2);
  src.SetPixel(0, 0, 0x204060);
  src.SetPixel(1, 0, 0x204060);
  src.SetPixel(0, 1, 0x000000);
  src.SetPixel(1, 1, 0xFFFFFF);
  TsBitmap24 dst = Filled(2, 1, 0xC0C0C0);
  skin::CopyMaskedRect({0, 0, 2, 1}, {0, 0, 2, 1}, dst, 1, false, {}, src);
  EXPECT_EQ(dst.Pixel(0, 0), 0x204060u);
  // ((0xC0 - p) * 255 + 256 p) >> 8 per channel
  auto ch = [](int t, int p) { return static_cast<TColor>(((t - p) * 255 + 256 * p) >> 8); };
  EXPECT_EQ(dst.Pixel(1, 0), ch(0xC0, 0x60) | ch(0xC0, 0x40) << 8 | ch(0xC0, 0x20) << 16);
}

TEST(AlphaGraph, MaskedKeyPixelsTakeTransparentKeyColorWithoutBackground) {
  TsBitmap24 src(1, 2);
  src.SetPixel(0, 0, skin::clFuchsia);
  TsBitmap24 dst = Filled(1, 1, 0x111111);
  skin::TransparentKeyColor() = 0x445566;
  skin::CopyMaskedRect({0, 0, 1, 1}, {0, 0, 1, 1}, dst, 1, true, {}, src);
  skin::TransparentKeyColor() = skin::clFuchsia;
  EXPECT_EQ(dst.Pixel(0, 0), 0x445566u);
}

TEST(AlphaGraph, BlendsFollowTheirFormulas) {
  TsBitmap24 a = Filled(3, 2, 0x00FF10), b = Filled(3, 2, 0x804020);
  TsBitmap24 dst = Filled(3, 2, 0x00FF10);
  skin::BlendRect(dst, b, 64, 0, 0, {0, 0, 3, 2});
  auto rb = [](int t, int s) { return static_cast<TColor>((t * 64 + s * 191 + 127) >> 8); };
  EXPECT_EQ(dst.Pixel(2, 1), rb(0x10, 0x20) | rb(0xFF, 0x40) << 8 | rb(0x00, 0x80) << 16);

  TsBitmap24 out;
  for (uint8_t alpha : {0, 100, 255}) {
    skin::BlendBitmaps(out, a, b, alpha);
    auto bb = [&](int f, int s) { return static_cast<TColor>(s + (((f - s) * alpha) >> 8)); };
    EXPECT_EQ(out.Pixel(1, 1), bb(0x10, 0x20) | bb(0xFF, 0x40) << 8 | bb(0x00, 0x80) << 16) << int(alpha);
  }
  TsBitmap24 alphas = Filled(3, 2, 0);
  alphas.SetPixel(0, 0, 0xFFFFFF);
  skin::BlendBitmaps(out, a, b, alphas);
  EXPECT_EQ(out.Pixel(1, 0), 0x804020u);
  EXPECT_EQ(out.Pixel(0, 0), 0x00FE10u);  // 0x40 + (0xBF * 255 >> 8)
}

// Rows of 258 bytes, longer than any vector the blend uses and with a tail;
// over 256 rows they meet nearly every pair of byte values. The output is
// reused at its size (not cleared) and resized when the size differs.
TEST(AlphaGraph, BlendBitmapsIsExactOnWideBitmaps) {
  const int32_t w = 86, h = 256;
  TsBitmap24 first(w, h), second(w, h), alphas(w - 6, h - 56);
  for (int32_t j = 0; j < h; ++j)
    for (int32_t k = 0; k < 3 * w; ++k) {
      first.ScanLine(j)[k] = static_cast<uint8_t>(k * 7 + j);
      second.ScanLine(j)[k] = static_cast<uint8_t>(k * 13 + 3 * j + 5);
      if (j < alphas.Height() && k < 3 * alphas.Width()) alphas.ScanLine(j)[k] = static_cast<uint8_t>(k * 5 + j * 3);
    }
  auto want = [&](int32_t j, int32_t k, int32_t a) {
    const int32_t f = first.ScanLine(j)[k], s = second.ScanLine(j)[k];
    return static_cast<uint8_t>(s + (((f - s) * a) >> 8));
  };
  TsBitmap24 out = Filled(w, h, 0xABCDEF);
  for (int32_t alpha : {0, 1, 127, 128, 204, 254, 255}) {
    skin::BlendBitmaps(out, first, second, static_cast<uint8_t>(alpha));
    int32_t wrong = 0;
    for (int32_t j = 0; j < h; ++j)
      for (int32_t k = 0; k < 3 * w; ++k) wrong += out.ScanLine(j)[k] != want(j, k, alpha);
    EXPECT_EQ(wrong, 0) << "alpha " << alpha;
  }
  TsBitmap24 small = Filled(2, 2, 0);
  skin::BlendBitmaps(small, first, second, alphas);
  ASSERT_EQ(small.Width(), w);
  ASSERT_EQ(small.Height(), h);
  int32_t wrong = 0;
  for (int32_t j = 0; j < h; ++j)
    for (int32_t k = 0; k < 3 * w; ++k) {
      const bool covered = j < alphas.Height() && k < 3 * alphas.Width();
      wrong += small.ScanLine(j)[k] != want(j, k, covered ? alphas.ScanLine(j)[k] : 255);
    }
  EXPECT_EQ(wrong, 0);
}

TEST(AlphaGraph, FadeGrayAndFocusDots) {
  TsBitmap24 b = Filled(12, 8, 0x0A6400);  // red 0, green 100, blue 10
  skin::FadeRectToColor(b, {0, 0, 6, 8}, 40, 0xFFFFFF);
  EXPECT_EQ(b.Pixel(0, 0), static_cast<TColor>(153 | 193 << 8 | 157 << 16));  // 0.4 c + 0.6 * 255, rounded
  EXPECT_EQ(b.Pixel(6, 0), 0x0A6400u);
  skin::GrayBitmapExcept(b, 0x0A6400);
  EXPECT_EQ(b.Pixel(6, 0), 0x0A6400u);
  EXPECT_EQ(b.Pixel(0, 0), 0xA7A7A7u);  // (153 + 193 + 157) / 3

  TsBitmap24 f = Filled(12, 8, 0x808080);
  skin::PaintFocusDots(f, {1, 1, 11, 7});
  EXPECT_EQ(f.Pixel(1, 1), 0u);
  EXPECT_EQ(f.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(f.Pixel(4, 1), 0u);
  EXPECT_EQ(f.Pixel(2, 1), 0x808080u);
  EXPECT_EQ(f.Pixel(4, 6), 0u);
  EXPECT_EQ(f.Pixel(10, 4), 0u);
}

TEST(AlphaGraph, DisabledLookGreysAndBlendsTowardsTheBackground) {
  // Own pixel red 200, green 100, blue 0; background red 0, green 50, blue 255.
  TsBitmap24 parent = Filled(6, 4, 0xFF3200);
  const skin::TCacheInfo ready{&parent, 1, 1, true}, none{};
  struct Case {
    uint8_t kind;
    const skin::TCacheInfo* bg;
    TColor want;
  } cases[] = {
      {0, &ready, 0x0064C8},
      {skin::dkGrayed, &ready, 0x646464},
      // 0.6 x background + 0.4 x own, rounded: red 80, green 70, blue 153.
      {skin::dkBlended, &ready, 0x994650},
      // Grey 100 first: red 40, green 70, blue 193.
      {skin::dkBlended | skin::dkGrayed, &ready, 0xC14628},
      // No background: halfway to the colour (0x000000): red 100, green 50.
      {skin::dkBlended, &none, 0x003264},
  };
  for (const Case& c : cases) {
    TsBitmap24 b = Filled(2, 2, 0x0064C8);
    skin::PaintDisabled(b, c.kind, *c.bg, 2, 1, 0x000000);
    EXPECT_EQ(b.Pixel(1, 1), c.want) << int(c.kind);
  }
}

TEST(AlphaGraph, DisabledLookLeavesPixelsTheBackgroundDoesNotCover) {
  // The background at offset (5, 3) covers only the top-left pixel of a 2 x 2 picture.
  TsBitmap24 parent = Filled(6, 4, 0xFFFFFF);
  TsBitmap24 b = Filled(2, 2, 0x000000);
  skin::PaintDisabled(b, skin::dkBlended, {&parent, 5, 3, true}, 0, 0, 0x000000);
  EXPECT_EQ(b.Pixel(0, 0), 0x999999u);
  for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {1, 1}}) EXPECT_EQ(b.Pixel(x, y), 0u) << x << "," << y;
  // Entirely outside: nothing changes, nothing is read.
  skin::PaintDisabled(b, skin::dkBlended, {&parent, -9, 40, true}, 0, 0, 0x000000);
  EXPECT_EQ(b.Pixel(0, 0), 0x999999u);
}

}  // namespace
