#include "skin/sAlphaGraph.h"

#include <algorithm>

namespace skin {

TColor& TransparentKeyColor() {
  static TColor color = clFuchsia;
  return color;
}

namespace {

inline uint8_t* At(TsBitmap24& b, int32_t x, int32_t y) { return b.ScanLine(y) + 3 * x; }
inline const uint8_t* At(const TsBitmap24& b, int32_t x, int32_t y) { return b.ScanLine(y) + 3 * x; }
inline void Put(uint8_t* p, TColor c) {
  p[0] = static_cast<uint8_t>(c >> 16);
  p[1] = static_cast<uint8_t>(c >> 8);
  p[2] = static_cast<uint8_t>(c);
}
inline TColor Get(const uint8_t* p) { return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16)); }

// Cuts a rectangle to 0..w x 0..h.
TRect Cut(TRect r, int32_t w, int32_t h) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, w);
  r.Bottom = std::min(r.Bottom, h);
  return r;
}

// Source rectangle and target point cut so that every pixel of the source
// rectangle and of its place in the target exists. False when nothing is left.
bool CutCopy(const TsBitmap24& dst, const TsBitmap24& src, int32_t& x, int32_t& y, TRect& s) {
  const TRect orig = s;
  s = Cut(s, src.Width(), src.Height());
  x += s.Left - orig.Left;
  y += s.Top - orig.Top;
  if (x < 0) s.Left -= x, x = 0;
  if (y < 0) s.Top -= y, y = 0;
  s.Right = std::min(s.Right, s.Left + dst.Width() - x);
  s.Bottom = std::min(s.Bottom, s.Top + dst.Height() - y);
  return s.Right > s.Left && s.Bottom > s.Top;
}

}  // namespace

bool TorvFast24::Attach(uint8_t* bits, ptrdiff_t delta, int32_t width, int32_t height, int32_t bitsPerPixel) {
  if (bitsPerPixel != 24) throw EAssertionFailed("Bitmap format is not supported");
  if (width < 2 || height < 2 || !bits) return false;
  Bits = bits;
  Delta = delta;
  Width = width;
  Height = height;
  return true;
}

bool TorvFast24::Attach(TsBitmap24& bmp) {
  return Attach(bmp.Empty() ? nullptr : bmp.ScanLine(0), bmp.Stride(), bmp.Width(), bmp.Height(), 24);
}

void CopyKeyedRect(TsBitmap24& dst, const TsBitmap24& src, int32_t x, int32_t y, bool useBackground,
                   const TCacheInfo& bg, TColor key, TRect s) {
  if (!CutCopy(dst, src, x, y, s)) return;
  const bool withBg = useBackground && bg.Ready && bg.Bmp && !bg.Bmp->Empty();
  for (int32_t j = s.Top; j < s.Bottom; ++j) {
    const int32_t ty = y + j - s.Top;
    const uint8_t* sp = At(src, s.Left, j);
    uint8_t* dp = At(dst, x, ty);
    for (int32_t i = s.Left; i < s.Right; ++i, sp += 3, dp += 3) {
      if (Get(sp) != key) {
        dp[0] = sp[0], dp[1] = sp[1], dp[2] = sp[2];
      } else if (withBg) {
        const int32_t tx = x + i - s.Left;
        if (bg.Covers(tx, ty)) Put(dp, bg.Bmp->Pixel(bg.X + tx, bg.Y + ty));
      }
    }
  }
}

void CopyRect(TsBitmap24& dst, const TsBitmap24& src, int32_t x, int32_t y, TRect s) {
  if (!CutCopy(dst, src, x, y, s)) return;
  for (int32_t j = s.Top; j < s.Bottom; ++j) std::copy_n(At(src, s.Left, j), 3 * s.Width(), At(dst, x, y + j - s.Top));
}

void StretchRect(TsBitmap24& dst, TRect d, const TsBitmap24& src, TRect s) {
  if (d.Width() <= 0 || d.Height() <= 0 || s.Width() <= 0 || s.Height() <= 0) return;
  const TRect dc = Cut(d, dst.Width(), dst.Height());
  for (int32_t j = dc.Top; j < dc.Bottom; ++j) {
    const int32_t sy = s.Top + static_cast<int32_t>(static_cast<int64_t>(j - d.Top) * s.Height() / d.Height());
    if (sy < 0 || sy >= src.Height()) continue;
    uint8_t* dp = At(dst, dc.Left, j);
    for (int32_t i = dc.Left; i < dc.Right; ++i, dp += 3) {
      const int32_t sx = s.Left + static_cast<int32_t>(static_cast<int64_t>(i - d.Left) * s.Width() / d.Width());
      if (sx < 0 || sx >= src.Width()) continue;
      const uint8_t* sp = At(src, sx, sy);
      dp[0] = sp[0], dp[1] = sp[1], dp[2] = sp[2];
    }
  }
}

void CopyMaskedRect(TRect d, TRect s, TsBitmap24& dst, int32_t maskOffset, bool useBackground, const TCacheInfo& bg,
                    const TsBitmap24& src) {
  // The smaller of the two rectangles; a negative corner of either shifts both.
  int32_t w = std::min(d.Width(), s.Width()), h = std::min(d.Height(), s.Height());
  int32_t dx = d.Left, dy = d.Top, sx = s.Left, sy = s.Top;
  const int32_t cutX = std::max({0, -dx, -sx}), cutY = std::max({0, -dy, -sy});
  dx += cutX, sx += cutX, w -= cutX;
  dy += cutY, sy += cutY, h -= cutY;
  w = std::min({w, dst.Width() - dx, src.Width() - sx});
  h = std::min({h, dst.Height() - dy, src.Height() - sy, src.Height() - sy - maskOffset});
  if (w <= 0 || h <= 0 || sy + maskOffset < 0) return;
  const TColor keyFill = TransparentKeyColor();
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* pp = At(src, sx, sy + j);
    const uint8_t* mp = At(src, sx, sy + j + maskOffset);
    uint8_t* tp = At(dst, dx, dy + j);
    for (int32_t i = 0; i < w; ++i, pp += 3, mp += 3, tp += 3) {
      if (useBackground && Get(pp) == clFuchsia) {
        if (bg.Ready) {
          if (bg.Covers(dx + i, dy + j)) Put(tp, bg.Bmp->Pixel(bg.X + dx + i, bg.Y + dy + j));
        } else if (keyFill != clFuchsia) {
          Put(tp, keyFill);
        }
        continue;
      }
      for (int c = 0; c < 3; ++c) {
        const int32_t v = ((tp[c] - pp[c]) * mp[c] + 256 * pp[c]) >> 8;
        tp[c] = static_cast<uint8_t>(std::clamp(v, 0, 255));
      }
    }
  }
}

void BlendRect(TsBitmap24& dst, const TsBitmap24& src, uint8_t alpha, int32_t x, int32_t y, TRect s) {
  TorvFastSum24 sum;
  if (!sum.Attach(dst, const_cast<TsBitmap24&>(src)) || !CutCopy(dst, src, x, y, s)) return;
  sum.Alpha = alpha;
  const int32_t a = alpha, b = 255 - alpha, n = 3 * s.Width();
  for (int32_t j = s.Top; j < s.Bottom; ++j) {
    const uint8_t* sp = sum.Src.Line(j) + 3 * s.Left;
    uint8_t* dp = sum.Dst.Line(y + j - s.Top) + 3 * x;
    for (int32_t k = 0; k < n; ++k) dp[k] = static_cast<uint8_t>((dp[k] * a + sp[k] * b + 127) >> 8);
  }
}

namespace {

// second + ((first - second) * a) >> 8 equals (first * a + second * (256 - a)) >> 8,
// whose terms never exceed 255 * 256: the sums fit 16 bits, which lets the
// compiler blend many bytes per instruction.
inline uint8_t Mix(uint8_t first, uint8_t second, uint16_t a) {
  const uint16_t sum = static_cast<uint16_t>(first * a) + static_cast<uint16_t>(second * (256 - a));
  return static_cast<uint8_t>(sum >> 8);
}

// Blends one row of n bytes; alpha holds one weight per byte, or is null for `alpha0`.
[[gnu::always_inline]] inline void BlendRowBody(uint8_t* out, const uint8_t* first, const uint8_t* second,
                                                const uint8_t* alpha, uint16_t alpha0, int32_t n) {
  if (alpha) {
    for (int32_t k = 0; k < n; ++k) out[k] = Mix(first[k], second[k], alpha[k]);
  } else {
    for (int32_t k = 0; k < n; ++k) out[k] = Mix(first[k], second[k], alpha0);
  }
}

#if defined(__x86_64__) || defined(__i386__)
// The same loop compiled for 32-byte vectors, taken on processors that have them.
[[gnu::target("avx2")]] void BlendRowAvx2(uint8_t* out, const uint8_t* first, const uint8_t* second,
                                          const uint8_t* alpha, uint16_t alpha0, int32_t n) {
  BlendRowBody(out, first, second, alpha, alpha0, n);
}
#endif

void BlendRow(uint8_t* out, const uint8_t* first, const uint8_t* second, const uint8_t* alpha, uint16_t alpha0,
              int32_t n) {
#if defined(__x86_64__) || defined(__i386__)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (avx2) return BlendRowAvx2(out, first, second, alpha, alpha0, n);
#endif
  BlendRowBody(out, first, second, alpha, alpha0, n);
}

// Rows of the first bitmap's size (cut to the second's); alphaRow gives a
// row's weights and how many bytes of the row they cover (the rest weigh
// 255), or null when the whole row weighs alpha0.
template <class AlphaRow>
void Blend(TsBitmap24& out, const TsBitmap24& first, const TsBitmap24& second, uint8_t alpha0, AlphaRow alphaRow) {
  const int32_t w = std::min(first.Width(), second.Width()), h = std::min(first.Height(), second.Height());
  // Every pixel is written below: a frame of the same size reuses the bitmap
  // without clearing it first.
  if (out.Width() != w || out.Height() != h) out.SetSize(w, h);
  for (int32_t j = 0; j < h; ++j) {
    const uint8_t* f = first.ScanLine(j);
    const uint8_t* s = second.ScanLine(j);
    uint8_t* o = out.ScanLine(j);
    int32_t covered = 0;
    const uint8_t* a = alphaRow(j, 3 * w, covered);
    BlendRow(o, f, s, a, alpha0, a ? covered : 3 * w);
    if (a) BlendRow(o + covered, f + covered, s + covered, nullptr, 255, 3 * w - covered);
  }
}

}  // namespace

void BlendBitmaps(TsBitmap24& out, const TsBitmap24& first, const TsBitmap24& second, uint8_t alpha) {
  Blend(out, first, second, alpha, [](int32_t, int32_t, int32_t&) -> const uint8_t* { return nullptr; });
}

void BlendBitmaps(TsBitmap24& out, const TsBitmap24& first, const TsBitmap24& second, const TsBitmap24& alphaBmp) {
  const int32_t aw = 3 * alphaBmp.Width(), ah = alphaBmp.Height();
  // Rows below the alpha bitmap weigh 255 throughout (alpha0).
  Blend(out, first, second, 255, [&](int32_t j, int32_t n, int32_t& covered) -> const uint8_t* {
    if (j >= ah) return nullptr;
    covered = std::min(n, aw);
    return alphaBmp.ScanLine(j);
  });
}

void FadeRectToColor(TsBitmap24& bmp, TRect r, int32_t percent, TColor color) {
  r = Cut(r, bmp.Width(), bmp.Height());
  const int32_t p = std::clamp(percent, 0, 100);
  const int32_t cc[3] = {static_cast<int32_t>((color >> 16) & 0xFF), static_cast<int32_t>((color >> 8) & 0xFF),
                         static_cast<int32_t>(color & 0xFF)};
  for (int32_t j = r.Top; j < r.Bottom; ++j) {
    uint8_t* px = At(bmp, r.Left, j);
    for (int32_t i = r.Left; i < r.Right; ++i, px += 3)
      for (int c = 0; c < 3; ++c) px[c] = static_cast<uint8_t>((px[c] * p + cc[c] * (100 - p) + 50) / 100);
  }
}

namespace {

void Gray(TsBitmap24& bmp, bool except, TColor keep) {
  for (int32_t j = 0; j < bmp.Height(); ++j) {
    uint8_t* px = bmp.ScanLine(j);
    for (int32_t i = 0; i < bmp.Width(); ++i, px += 3) {
      if (except && Get(px) == keep) continue;
      px[0] = px[1] = px[2] = static_cast<uint8_t>((px[0] + px[1] + px[2]) / 3);
    }
  }
}

}  // namespace

void GrayBitmap(TsBitmap24& bmp) { Gray(bmp, false, 0); }
void GrayBitmapExcept(TsBitmap24& bmp, TColor keep) { Gray(bmp, true, keep); }

void FillRect24(TsBitmap24& bmp, TRect r, TColor color) {
  r = Cut(r, bmp.Width(), bmp.Height());
  for (int32_t j = r.Top; j < r.Bottom; ++j) {
    uint8_t* px = At(bmp, r.Left, j);
    for (int32_t i = r.Left; i < r.Right; ++i, px += 3) Put(px, color);
  }
}

void FillFromBackground(TsBitmap24& bmp, TRect r, const TCacheInfo& bg) {
  if (!bg.Ready || !bg.Bmp || bg.Bmp == &bmp) return;
  r = Cut(r, bmp.Width(), bmp.Height());
  // Cut to the part the background covers, then copy whole rows.
  r.Left = std::max(r.Left, -bg.X);
  r.Top = std::max(r.Top, -bg.Y);
  r.Right = std::min(r.Right, bg.Bmp->Width() - bg.X);
  r.Bottom = std::min(r.Bottom, bg.Bmp->Height() - bg.Y);
  if (r.Right <= r.Left) return;
  for (int32_t j = r.Top; j < r.Bottom; ++j)
    std::copy_n(At(*bg.Bmp, bg.X + r.Left, bg.Y + j), 3 * r.Width(), At(bmp, r.Left, j));
}

void PaintDisabled(TsBitmap24& bmp, uint8_t kind, const TCacheInfo& bg, int32_t offsetX, int32_t offsetY,
                   TColor towards) {
  if (kind & dkGrayed) GrayBitmap(bmp);
  if (!(kind & dkBlended)) return;
  if (!bg.Ready || !bg.Bmp || bg.Bmp == &bmp) {
    FadeRectToColor(bmp, {0, 0, bmp.Width(), bmp.Height()}, 50, towards);
    return;
  }
  // The part of the bitmap the background covers.
  const int32_t x0 = bg.X + offsetX, y0 = bg.Y + offsetY;
  TRect r = {std::max(0, -x0), std::max(0, -y0), std::min(bmp.Width(), bg.Bmp->Width() - x0),
             std::min(bmp.Height(), bg.Bmp->Height() - y0)};
  if (r.Right <= r.Left) return;
  for (int32_t j = r.Top; j < r.Bottom; ++j) {
    uint8_t* px = At(bmp, r.Left, j);
    const uint8_t* b = At(*bg.Bmp, x0 + r.Left, y0 + j);
    for (int32_t n = 3 * (r.Right - r.Left); n > 0; --n, ++px, ++b)
      *px = static_cast<uint8_t>((6 * *b + 4 * *px + 5) / 10);
  }
}

void PaintFocusDots(TsBitmap24& bmp, TRect r) {
  auto dot = [&](int32_t x, int32_t y) {
    if (x >= 0 && y >= 0 && x < bmp.Width() && y < bmp.Height()) Put(At(bmp, x, y), 0x000000);
    if (x >= 1 && y >= 1 && x - 1 < bmp.Width() && y - 1 < bmp.Height()) Put(At(bmp, x - 1, y - 1), 0xFFFFFF);
  };
  if (r.Width() <= 0 || r.Height() <= 0) return;
  for (int32_t x = r.Left; x < r.Right; x += 3) dot(x, r.Top), dot(x, r.Bottom - 1);
  for (int32_t y = r.Top; y < r.Bottom; y += 3) dot(r.Left, y), dot(r.Right - 1, y);
}

}  // namespace skin
