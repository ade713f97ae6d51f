#include "tests/report/screenshot/NVPixelsFixture.h"

#include <algorithm>
#include <random>

namespace fixture {

using quor::NVPixels;
using quor::TRgb;

namespace {

void SetPixel(NVPixels& pixels, uint32_t x, uint32_t y, TRgb c) {
  uint8_t* p = pixels.TopRow(y) + x * quor::kNVBytesPerPixel;
  p[quor::kNVRed] = c.r, p[quor::kNVGreen] = c.g, p[quor::kNVBlue] = c.b;
}

}  // namespace

NVPixels Picture(uint32_t width, uint32_t height, const std::function<TRgb(uint32_t, uint32_t)>& color) {
  NVPixels pixels(width, height);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) SetPixel(pixels, x, y, color(x, y));
  return pixels;
}

NVPixels Row(std::span<const TRgb> colors) {
  return Picture(uint32_t(colors.size()), 1, [&](uint32_t x, uint32_t) { return colors[x]; });
}

TRgb PixelAt(const quor::NVPixelView& pixels, uint32_t x, uint32_t y) {
  const uint8_t* p = pixels.TopRow(y) + x * quor::kNVBytesPerPixel;
  return {p[quor::kNVRed], p[quor::kNVGreen], p[quor::kNVBlue]};
}

namespace {

class TCanvas {
public:
  TCanvas(uint32_t width, uint32_t height) : pixels_(width, height) {}

  void Fill(int x0, int y0, int x1, int y1, const std::function<TRgb(int, int)>& color) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, int(pixels_.Width())), y1 = std::min(y1, int(pixels_.Height()));
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) SetPixel(pixels_, uint32_t(x), uint32_t(y), color(x, y));
  }
  void Fill(int x0, int y0, int x1, int y1, TRgb color) {
    Fill(x0, y0, x1, y1, [&](int, int) { return color; });
  }

  // A window: border, caption gradient, white client area, text lines.
  void Window(int x0, int y0, int x1, int y1, std::mt19937& random) {
    Fill(x0, y0, x1, y1, TRgb{90, 110, 140});
    Fill(x0 + 1, y0 + 1, x1 - 1, y0 + 24, [&](int x, int) {
      const int t = (x - x0) * 255 / std::max(x1 - x0, 1);
      return TRgb{uint8_t(10 + t / 4), uint8_t(40 + t / 3), uint8_t(120 + t / 2)};
    });
    Text(x0 + 8, y0 + 7, x0 + (x1 - x0) / 2, y0 + 17, {255, 255, 255}, random);
    Fill(x0 + 4, y0 + 24, x1 - 4, y1 - 4, TRgb{255, 255, 255});
    for (int line = y0 + 32; line + 12 < y1 - 8; line += 16)
      Text(x0 + 10, line, x1 - 10 - int(random() % 200), line + 10, {0, 0, 0}, random);
  }

  // Glyph-like strokes: columns and bars of ink with grey anti-aliased edges.
  void Text(int x0, int y0, int x1, int y1, TRgb ink, std::mt19937& random) {
    const auto mix = [&](int part) {
      return TRgb{uint8_t((ink.r * part + 255 * (4 - part)) / 4), uint8_t((ink.g * part + 255 * (4 - part)) / 4),
                  uint8_t((ink.b * part + 255 * (4 - part)) / 4)};
    };
    for (int x = x0; x + 6 < x1; x += 7) {
      if (random() % 6 == 0) continue;  // a space between words
      const int top = y0 + int(random() % 3);
      Fill(x + 1, top, x + 2, y1, ink);
      Fill(x, top, x + 1, y1, mix(1));
      if (random() % 2) Fill(x + 2, y1 - 2, x + 5, y1 - 1, ink);
      if (random() % 2) Fill(x + 2, top, x + 5, top + 1, mix(2));
      Fill(x + 5, top + 2, x + 6, y1 - 1, mix(3));
    }
  }

  NVPixels Take() { return std::move(pixels_); }

private:
  NVPixels pixels_;
};

}  // namespace

NVPixels DesktopPicture(uint32_t width, uint32_t height) {
  TCanvas canvas(width, height);
  std::mt19937 random(7);
  const int w = int(width), h = int(height);
  canvas.Fill(0, 0, w, h, [&](int x, int y) {
    return TRgb{uint8_t(20 + y * 60 / h), uint8_t(80 + y * 100 / h + x * 20 / w), uint8_t(160 + x * 60 / w)};
  });
  for (int i = 0; i < 8; ++i) {  // desktop icons
    const int y = 20 + i * 70;
    canvas.Fill(20, y, 52, y + 32, [&](int x, int yy) {
      return TRgb{uint8_t(200 - (x - 20) * 4), uint8_t(120 + (yy - y) * 3), uint8_t(40 + i * 25)};
    });
    canvas.Text(14, y + 38, 60, y + 46, {255, 255, 255}, random);
  }
  canvas.Window(w / 8, h / 10, w * 3 / 4, h * 3 / 4, random);
  canvas.Window(w / 3, h / 3, w * 15 / 16, h * 7 / 8, random);
  canvas.Fill(0, h - 40, w, h, TRgb{212, 208, 200});  // task bar
  for (int x = 100; x + 160 < w; x += 170) {
    canvas.Fill(x, h - 36, x + 160, h - 4, TRgb{236, 233, 216});
    canvas.Text(x + 8, h - 26, x + 150, h - 16, {0, 0, 0}, random);
  }
  return canvas.Take();
}

}  // namespace fixture
