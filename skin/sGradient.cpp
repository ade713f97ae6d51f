#include "skin/sGradient.h"

#include <algorithm>
#include <cmath>

#include "skin/sAlphaGraph.h"

namespace skin {

namespace {

TsTriangleFill g_triangleFill = nullptr;

struct Rgb {
  double c[3];  // blue, green, red: the byte order of a pixel
};
Rgb ToRgb(TColor c) { return {{double((c >> 16) & 0xFF), double((c >> 8) & 0xFF), double(c & 0xFF)}}; }

// Colour at step k of n from c1 to c2, each channel rounded to the nearest integer.
void Mix(const Rgb& c1, const Rgb& c2, int32_t k, int32_t n, uint8_t out[3]) {
  for (int c = 0; c < 3; ++c) out[c] = static_cast<uint8_t>(std::floor(c1.c[c] + (c2.c[c] - c1.c[c]) * k / n + 0.5));
}

// Splits first..last (inclusive) into the bands of the stops; calls
// band(from, to, stop) for every band that is not empty.
template <class Band>
void Bands(int32_t first, int32_t last, const TsGradArray& grad, bool rounded, Band band) {
  const int32_t size = last - first + 1;
  int32_t s = first;
  for (size_t i = 0; i < grad.size(); ++i) {
    int32_t e = rounded ? s + static_cast<int32_t>(std::lround(grad[i].Percent * size / 100.0))
                        : s + size * grad[i].Percent / 100;
    e = std::min(e, last);
    if (i + 1 == grad.size()) e = last;
    if (e > s) band(s, e, grad[i]);
    s = e;
  }
}

}  // namespace

void SetTriangleFill(TsTriangleFill fill) { g_triangleFill = fill; }

TsGradTriangles GradientTriangles(TRect r, const TsGradArray& grad) {
  TsGradTriangles t;
  t.X = {r.Left, r.Left + r.Width() / 2, r.Right, r.Right, r.Left};
  t.Y = {r.Top, r.Top + r.Height() / 2, r.Top, r.Bottom, r.Bottom};
  for (size_t i = 0; i < 5; ++i) t.Color[i] = i < grad.size() ? grad[i].Color1 : i > 0 ? t.Color[i - 1] : 0;
  return t;
}

void PaintGradient(TsBitmap24& bmp, TRect r, const TsGradArray& grad) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, bmp.Width());
  r.Bottom = std::min(r.Bottom, bmp.Height());
  if (grad.empty() || r.Width() <= 0 || r.Height() <= 0) return;
  const int32_t mode = grad[0].Mode;
  // One row of top-to-bottom bands or one column of left-to-right bands
  // holds no band to paint, and an unknown mode none at all: the first
  // colour fills the rectangle rather than leaving whatever was there.
  if ((mode == kBandsDown && r.Height() == 1) || (mode == kBandsAcross && r.Width() == 1) ||
      (mode != kBandsDown && mode != kBandsAcross && mode != kTriangles)) {
    FillRect24(bmp, r, grad[0].Color1);
    return;
  }
  switch (mode) {
    case kBandsDown:
      Bands(r.Top, r.Bottom - 1, grad, false, [&](int32_t s, int32_t e, const TsGradPie& g) {
        const Rgb c1 = ToRgb(g.Color1), c2 = ToRgb(g.Color2);
        for (int32_t y = s; y <= e; ++y) {
          uint8_t px[3];
          Mix(c1, c2, y - s, e - s, px);
          uint8_t* p = bmp.ScanLine(y) + 3 * r.Left;
          for (int32_t x = r.Left; x < r.Right; ++x, p += 3) p[0] = px[0], p[1] = px[1], p[2] = px[2];
        }
      });
      break;
    case kBandsAcross: {
      // One row is made, then copied to every row.
      uint8_t* first = bmp.ScanLine(r.Top) + 3 * r.Left;
      Bands(r.Left, r.Right - 1, grad, true, [&](int32_t s, int32_t e, const TsGradPie& g) {
        const Rgb c1 = ToRgb(g.Color1), c2 = ToRgb(g.Color2);
        for (int32_t x = s; x <= e; ++x) Mix(c1, c2, x - s, e - s, first + 3 * (x - r.Left));
      });
      for (int32_t y = r.Top + 1; y < r.Bottom; ++y) std::copy_n(first, 3 * r.Width(), bmp.ScanLine(y) + 3 * r.Left);
      break;
    }
    case kTriangles:
      if (g_triangleFill) g_triangleFill(bmp, GradientTriangles(r, grad));
      break;
  }
}

}  // namespace skin
