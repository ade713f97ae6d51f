#include "skin/sLabelShadow.h"

#include <algorithm>

#include "skin/sShadowLimits.h"

namespace skin {

TsShadowMargins ShadowMargins(int32_t distance, int32_t blur) {
  distance = ClampShadowOffset(distance);
  blur = ClampShadowBlur(blur);
  return {std::min(0, distance - blur), std::max(0, distance + blur)};
}

void TsShadowBlur::Blur(const TsBytePlane& text, int32_t passes) {
  width_ = std::max(0, text.Width);
  height_ = std::max(0, text.Height);
  const ptrdiff_t row = width_ + 2;
  const size_t cells = static_cast<size_t>(row) * (static_cast<size_t>(height_) + 2);
  if (cells_.size() < cells) cells_.resize(cells);
  std::fill_n(cells_.begin(), cells, uint8_t{0});
  if (width_ == 0 || height_ == 0) return;
  passes = ClampShadowBlur(passes);
  for (int32_t pass = 0; pass < passes; ++pass) {
    for (int32_t y = 0; y < height_; ++y) {
      const uint8_t* src = text.First + y * text.Stride;
      uint8_t* dst = &cells_[Cell(0, y)];
      for (int32_t x = 0; x < width_; ++x, src += text.Step)
        if (*src != 0) dst[x] = 255;
    }
    for (int32_t y = 0; y < height_; ++y) {
      uint8_t* c = &cells_[Cell(0, y)];
      for (int32_t x = 0; x < width_; ++x, ++c) c[0] = static_cast<uint8_t>((c[-row] + c[row] + c[-1] + c[1]) / 4);
    }
  }
}

void TsShadowBlur::Compose(uint8_t* pixels, ptrdiff_t stride, int32_t bytesPerPixel, TColor shadow) const {
  // The shadow's channels in pixel order: blue, green, red.
  const uint32_t s[3] = {(shadow >> 16) & 0xFF, (shadow >> 8) & 0xFF, shadow & 0xFF};
  for (int32_t y = 0; y < height_; ++y) {
    uint8_t* p = pixels + y * stride;
    const uint8_t* a = &cells_[Cell(0, y)];
    for (int32_t x = 0; x < width_; ++x, p += bytesPerPixel, ++a)
      for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>((*a * s[c] + (255u - *a) * p[c]) / 256);
  }
}

}  // namespace skin
