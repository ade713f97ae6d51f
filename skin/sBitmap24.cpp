#include "skin/sBitmap24.h"

namespace skin {

void TsBitmap24::SetSize(int32_t width, int32_t height) {
  if (width < 1 || height < 1) width = height = 0;
  width_ = width;
  height_ = height;
  stride_ = ((width * 3 + 3) / 4) * 4;
  bits_.assign(static_cast<size_t>(stride_) * height_, 0);
}

TColor TsBitmap24::Pixel(int32_t x, int32_t y) const {
  const uint8_t* p = ScanLine(y) + 3 * x;
  return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
}

void TsBitmap24::SetPixel(int32_t x, int32_t y, TColor color) {
  uint8_t* p = ScanLine(y) + 3 * x;
  p[0] = static_cast<uint8_t>(color >> 16);
  p[1] = static_cast<uint8_t>(color >> 8);
  p[2] = static_cast<uint8_t>(color);
}

}  // namespace skin
