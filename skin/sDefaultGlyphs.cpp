#include "skin/sDefaultGlyphs.h"

namespace skin {

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;

// One frame's painter: colour into the top half, opacity into the bottom.
struct Frame {
  TsBitmap24& bmp;
  int32_t left, dx, dy;  // frame origin and the pressed frame's shift
  void Put(int32_t x, int32_t y, TColor c) const {
    x += dx;
    y += dy;
    if (x < 0 || y < 0 || x >= kOpenFileFrameWidth || y >= kOpenFileFrameHeight) return;
    bmp.SetPixel(left + x, y, c);
    bmp.SetPixel(left + x, y + kOpenFileFrameHeight, kBlack);
  }
};

// 0x00BBGGRR: yellows of the folder, its dark outline, the arrow's blue.
struct Palette {
  TColor back, front, outline, arrow;
};

void DrawFrame(const Frame& f, const Palette& p) {
  // The back of the folder with its tab, from row 5 to 15.
  for (int32_t y = 5; y <= 15; ++y)
    for (int32_t x = 1; x <= 14; ++x) f.Put(x, y, (x == 1 || x == 14 || y == 5 || y == 15) ? p.outline : p.back);
  for (int32_t x = 2; x <= 6; ++x) f.Put(x, 4, p.outline);
  f.Put(1, 5, p.outline);
  f.Put(7, 5, p.outline);
  // The open front flap, slanted: row y spans from 1 + (15 - y) / 2 right.
  for (int32_t y = 9; y <= 15; ++y) {
    const int32_t from = 2 + (15 - y) / 2, to = 17 + (9 - y) / 3 + 2;
    for (int32_t x = from; x <= to && x <= 18; ++x)
      f.Put(x, y, (x == from || x == to || y == 9 || y == 15) ? p.outline : p.front);
  }
  // The curved arrow above the folder, bending down towards it.
  const int32_t arc[][2] = {{9, 3}, {10, 2}, {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 2}, {16, 3}, {16, 4}};
  for (const auto& a : arc) {
    f.Put(a[0], a[1], p.arrow);
    f.Put(a[0], a[1] + 1, p.arrow);
  }
  for (int32_t x = 14; x <= 18; ++x) f.Put(x, 5, p.arrow);
  for (int32_t x = 15; x <= 17; ++x) f.Put(x, 6, p.arrow);
  f.Put(16, 7, p.arrow);
}

}  // namespace

TsBitmap24 DrawOpenFileGlyph() {
  TsBitmap24 bmp(kOpenFileFrameWidth * kGlyphFrames, kOpenFileFrameHeight * 2);
  for (int32_t y = 0; y < bmp.Height(); ++y)
    for (int32_t x = 0; x < bmp.Width(); ++x) bmp.SetPixel(x, y, y < kOpenFileFrameHeight ? kBlack : kWhite);
  const Palette normal{0x40C8F0, 0x80E8FF, 0x106898, 0xC06020};
  const Palette hot{0x60D8FF, 0xA0F4FF, 0x1078A8, 0xF08030};
  DrawFrame({bmp, 0, 0, 0}, normal);
  DrawFrame({bmp, kOpenFileFrameWidth, 0, 0}, hot);
  DrawFrame({bmp, 2 * kOpenFileFrameWidth, 1, 1}, hot);
  return bmp;
}

}  // namespace skin
