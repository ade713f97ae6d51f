// Pixel copies and blends on 24-bit scan lines: keyed and masked copies of
// skin images, rectangle and two-bitmap blends, colour fades, grey and the
// dotted focus frame. No routine reads or writes a pixel outside a bitmap.
// Rectangles are half-open (Right and Bottom are not part of them).
#pragma once

#include <cstddef>
#include <cstdint>

#include "skin/sBitmap24.h"
#include "skin/sCacheInfo.h"
#include "skin/sMaskData.h"
#include "toolkit/SysUtils.h"

namespace skin {

// A broken programming assumption, such as a bitmap of the wrong depth.
class EAssertionFailed : public tk::Exception {
public:
  using tk::Exception::Exception;
  const char* ClassName() const noexcept override { return "EAssertionFailed"; }
};

// Direct access to one 24-bit bitmap: first scan line, distance between
// lines, size. Attaching fails (returns false) below 2 x 2 pixels; pixel
// data of another depth raise EAssertionFailed("Bitmap format is not supported").
struct TorvFast24 {
  uint8_t* Bits = nullptr;
  ptrdiff_t Delta = 0;
  int32_t Width = 0, Height = 0;

  bool Attach(TsBitmap24& bmp);
  bool Attach(uint8_t* bits, ptrdiff_t delta, int32_t width, int32_t height, int32_t bitsPerPixel);
  uint8_t* Line(int32_t y) const { return Bits + y * Delta; }
  TColor Pixel(int32_t x, int32_t y) const {
    const uint8_t* p = Line(y) + 3 * x;
    return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
  }
};

// A source and a destination for blends, with the common area.
struct TorvFastSum24 {
  TorvFast24 Src, Dst;
  uint8_t Alpha = 0;
  bool Attach(TsBitmap24& dst, TsBitmap24& src) { return Dst.Attach(dst) && Src.Attach(src); }
};

// Copies src's rectangle to dst at (x, y). Key-coloured source pixels take
// the background behind them when useBackground is set and bg is Ready,
// else leave the target as it was.
void CopyKeyedRect(TsBitmap24& dst, const TsBitmap24& src, int32_t x, int32_t y, bool useBackground,
                   const TCacheInfo& bg, TColor key, TRect srcRect);
// Plain copy of src's rectangle to dst at (x, y), cut to both bitmaps.
void CopyRect(TsBitmap24& dst, const TsBitmap24& src, int32_t x, int32_t y, TRect srcRect);
// Nearest-pixel stretch of src's rectangle over dst's rectangle.
void StretchRect(TsBitmap24& dst, TRect dstRect, const TsBitmap24& src, TRect srcRect);
// Copy through the mask rows lying maskOffset rows below the picture rows:
// each channel becomes P + ((T - P) * M) >> 8, so a black mask pixel shows
// the picture and a white one the target. Key-coloured picture pixels take
// the background (or TransparentKeyColor) when useBackground is set.
void CopyMaskedRect(TRect dstRect, TRect srcRect, TsBitmap24& dst, int32_t maskOffset, bool useBackground,
                    const TCacheInfo& bg, const TsBitmap24& src);

// dst = (dst * alpha + src * (255 - alpha) + 127) >> 8 over src's rectangle
// placed at (x, y). Both bitmaps must be at least 2 x 2.
void BlendRect(TsBitmap24& dst, const TsBitmap24& src, uint8_t alpha, int32_t x, int32_t y, TRect srcRect);
// out = second + ((first - second) * alpha) >> 8 over the first bitmap's
// size (cut to the second's); out takes that size.
void BlendBitmaps(TsBitmap24& out, const TsBitmap24& first, const TsBitmap24& second, uint8_t alpha);
// The same with a per-pixel, per-channel alpha taken from alphaBmp.
void BlendBitmaps(TsBitmap24& out, const TsBitmap24& first, const TsBitmap24& second, const TsBitmap24& alphaBmp);

// Each channel of the rectangle keeps `percent` % and takes the rest from color.
void FadeRectToColor(TsBitmap24& bmp, TRect rect, int32_t percent, TColor color);
// Every pixel becomes (r + g + b) / 3; the second form leaves `keep` alone.
void GrayBitmap(TsBitmap24& bmp);
void GrayBitmapExcept(TsBitmap24& bmp, TColor keep);
// Fills the rectangle with one colour.
void FillRect24(TsBitmap24& bmp, TRect rect, TColor color);
// Fills the rectangle with the background behind it (bg already points at
// the bitmap's origin); pixels the background does not cover stay.
void FillFromBackground(TsBitmap24& bmp, TRect rect, const TCacheInfo& bg);

// The disabled look of a control's picture. dkGrayed greys it; dkBlended
// then gives every pixel 60 % of the background behind it (bg at the
// bitmap's origin plus offset, pixels outside it keep their own value) or,
// without a Ready background, fades it halfway towards `towards`.
enum TsDisabledKindItem : uint8_t { dkBlended = 1, dkGrayed = 2 };
void PaintDisabled(TsBitmap24& bmp, uint8_t kind, const TCacheInfo& bg, int32_t offsetX, int32_t offsetY,
                   TColor towards);

// Dotted frame: every third pixel of each edge black, with a white pixel
// diagonally above-left of it.
void PaintFocusDots(TsBitmap24& bmp, TRect rect);

}  // namespace skin
