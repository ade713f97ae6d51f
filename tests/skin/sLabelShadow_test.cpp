// The effect label's shadow: blur passes on small masks worked out by hand,
// text read from the blue bytes of a 32-bit bitmap, the tint, and the
// margins that make room for the shadow.
#include "skin/sLabelShadow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Grid = std::vector<std::vector<int>>;

// '#' is a text pixel, '.' is not.
std::vector<uint8_t> Mask(const std::vector<std::string>& rows) {
  std::vector<uint8_t> m;
  for (const std::string& r : rows)
    for (char c : r) m.push_back(c == '#' ? 255 : 0);
  return m;
}

Grid Blurred(skin::TsShadowBlur& blur, const std::vector<std::string>& rows, int32_t passes) {
  const std::vector<uint8_t> m = Mask(rows);
  const int32_t w = static_cast<int32_t>(rows[0].size()), h = static_cast<int32_t>(rows.size());
  blur.Blur({m.data(), w, h, w, 1}, passes);
  Grid g(h, std::vector<int>(w));
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) g[y][x] = blur.Alpha(x, y);
  return g;
}

TEST(LabelShadow, BlurPasses) {
  const struct {
    const char* what;
    std::vector<std::string> text;
    int32_t passes;
    Grid alpha;
  } cases[] = {
      {"no pass leaves no shadow", {"...", ".#.", "..."}, 0, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
      {"a negative count is no pass", {"...", ".#.", "..."}, -4, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
      // The centre's neighbours are 0 when it is replaced: its own 255 is gone.
      {"one pixel alone fades out", {"#"}, 1, {{0}}},
      // (0 + 0 + 0 + 255) / 4, then (0 + 0 + 63 + 255) / 4, then (0 + 0 + 79 + 0) / 4:
      // cells replaced earlier in the pass feed the later ones.
      {"one row, one pass", {"###"}, 1, {{63, 79, 19}}},
      {"a dot, one pass", {"...", ".#.", "..."}, 1, {{0, 63, 15}, {63, 31, 11}, {15, 11, 5}}},
      // The second pass starts from the first one's cells with the dot set to 255 again.
      {"a dot, two passes", {"...", ".#.", "..."}, 2, {{31, 75, 21}, {75, 43, 17}, {21, 17, 8}}},
  };
  skin::TsShadowBlur blur;
  for (const auto& c : cases) EXPECT_EQ(Blurred(blur, c.text, c.passes), c.alpha) << c.what;
}

TEST(LabelShadow, PassesAreCutToTheLimitAndTheBufferStartsClean) {
  const std::vector<std::string> text = {"..#..", ".###.", "..#.."};
  skin::TsShadowBlur a, b;
  EXPECT_EQ(Blurred(a, text, 100000), Blurred(b, text, 32));
  // A larger label blurred before leaves nothing behind in a smaller one.
  Blurred(a, {"#####", "#####", "#####", "#####"}, 5);
  skin::TsShadowBlur fresh;
  EXPECT_EQ(Blurred(a, {"...", ".#.", "..."}, 2), Blurred(fresh, {"...", ".#.", "..."}, 2));
}

// White text drawn into a 32-bit bitmap, read through its blue bytes: a
// pixel whose only non-zero byte is green or alpha is not text. Bottom-up
// rows (negative stride) give the same shadow.
TEST(LabelShadow, TextFromTheBlueBytesOfA32BitBitmap) {
  // 3 x 3 pixels, text only in the centre.
  std::vector<uint8_t> topDown(3 * 3 * 4, 0);
  topDown[(1 * 3 + 1) * 4] = 0x80;       // centre: blue
  topDown[(0 * 3 + 0) * 4 + 1] = 0xFF;   // top-left: green only
  topDown[(2 * 3 + 2) * 4 + 3] = 0xFF;   // bottom-right: alpha only
  skin::TsShadowBlur fromBitmap, fromMask;
  fromBitmap.Blur({topDown.data(), 3, 3, 12, 4}, 2);
  const Grid want = Blurred(fromMask, {"...", ".#.", "..."}, 2);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(fromBitmap.Alpha(x, y), want[y][x]) << x << "," << y;

  const std::vector<std::string> text = {"#..", "...", "..#"};
  std::vector<uint8_t> bottomUp(3 * 3 * 4, 0);
  bottomUp[(2 * 3 + 0) * 4] = 0xFF;  // file row 2 is the top row
  bottomUp[(0 * 3 + 2) * 4] = 0xFF;
  skin::TsShadowBlur flipped, plain;
  flipped.Blur({bottomUp.data() + 2 * 12, 3, 3, -12, 4}, 3);
  const Grid wantFlipped = Blurred(plain, text, 3);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 3; ++x) EXPECT_EQ(flipped.Alpha(x, y), wantFlipped[y][x]) << x << "," << y;
}

TEST(LabelShadow, ComposeTintsTowardsTheShadowColour) {
  skin::TsShadowBlur blur;
  const std::vector<uint8_t> m = Mask({"###"});
  blur.Blur({m.data(), 3, 1, 3, 1}, 1);  // strengths 63, 79, 19
  // Red shadow on white 32-bit pixels whose fourth byte must stay.
  std::vector<uint8_t> px(3 * 4, 0xFF);
  px[3] = 0x42;
  blur.Compose(px.data(), 12, 4, 0x0000FF);
  // red: (63 * 255 + 192 * 255) / 256 = 254; green, blue: 192 * 255 / 256 = 191
  EXPECT_EQ(std::vector<uint8_t>(px.begin(), px.begin() + 4), (std::vector<uint8_t>{191, 191, 254, 0x42}));
  // 176 * 255 / 256 = 175
  EXPECT_EQ(std::vector<uint8_t>(px.begin() + 4, px.begin() + 8), (std::vector<uint8_t>{175, 175, 254, 0xFF}));
  // A 24-bit picture: strength 19 of black over grey 100: (19 * 0 + 236 * 100) / 256 = 92.
  skin::TsBitmap24 bmp(3, 1);
  for (int32_t x = 0; x < 3; ++x) bmp.SetPixel(x, 0, 0x646464);
  blur.Compose(bmp.ScanLine(0), bmp.Stride(), 3, 0);
  EXPECT_EQ(bmp.Pixel(2, 0), 0x5C5C5Cu);
}

TEST(LabelShadow, MarginsMakeRoomForTheShadow) {
  const struct {
    int32_t distance, blur, before, after;
  } cases[] = {
      {1, 4, -3, 5},      // the label's defaults: 8 pixels more, text 3 pixels in
      {0, 0, 0, 0},       {5, 2, 0, 7}, {-3, 2, -5, 0},
      {100, 100, 0, 64},  // offset and blur cut to 32
      {-100, 5, -37, 0},
  };
  for (const auto& c : cases) {
    const skin::TsShadowMargins m = skin::ShadowMargins(c.distance, c.blur);
    EXPECT_EQ(m.Before, c.before) << c.distance << " " << c.blur;
    EXPECT_EQ(m.After, c.after) << c.distance << " " << c.blur;
  }
}

}  // namespace
