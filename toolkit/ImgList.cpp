#include "toolkit/ImgList.h"

#include <algorithm>

#include "toolkit/SysUtils.h"

namespace tk {

void TImageList::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) throw EInvalidGraphic("Invalid image size");
  width_ = width, height_ = height;
  images_.clear();
}

int TImageList::AddMasked(const TBitmap& strip, TColor mask) {
  const int n = strip.Height() < height_ ? 0 : strip.Width() / width_;
  if (n == 0) return -1;
  const int first = Count();
  const bool alpha = strip.BitsPerPixel() == 32, masked = !alpha && mask != clNone;
  const uint32_t key = masked ? ColorToRGB(mask) : 0;
  const int bpp = strip.BitsPerPixel() / 8;
  for (int i = 0; i < n; ++i) {
    std::vector<uint32_t> image(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
      const uint8_t* s = strip.ScanLine(y) + static_cast<size_t>(bpp) * i * width_;
      for (int x = 0; x < width_; ++x, s += bpp) {
        const uint32_t rgb = s[2] | (s[1] << 8) | (s[0] << 16);  // as a COLORREF
        const uint32_t a = alpha ? s[3] : masked && rgb == key ? 0 : 255;
        image[static_cast<size_t>(y) * width_ + x] = (a << 24) | (s[2] << 16) | (s[1] << 8) | s[0];
      }
    }
    images_.push_back(std::move(image));
  }
  return first;
}

void TImageList::Draw(TBitmap& dst, int x0, int y0, int index) const {
  if (index < 0 || index >= Count()) return;
  const std::vector<uint32_t>& image = images_[static_cast<size_t>(index)];
  const int bpp = dst.BitsPerPixel() / 8;
  for (int y = std::max(0, -y0); y < height_ && y0 + y < dst.Height(); ++y) {
    for (int x = std::max(0, -x0); x < width_ && x0 + x < dst.Width(); ++x) {
      const uint32_t p = image[static_cast<size_t>(y) * width_ + x], a = p >> 24;
      uint8_t* d = dst.ScanLine(y0 + y) + static_cast<size_t>(bpp) * (x0 + x);
      for (int c = 0; c < 3; ++c) {
        const uint32_t s = (p >> (8 * c)) & 0xFF;
        d[c] = static_cast<uint8_t>((s * a + d[c] * (255 - a) + 127) / 255);
      }
    }
  }
}

bool TImageList::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Width")
    SetSize(ValueToInt(name, v), height_);
  else if (name == "Height")
    SetSize(width_, ValueToInt(name, v));
  else if (name == "BkColor")
    BkColor = ValueToColor(name, v);
  else
    return TComponent::SetProperty(name, v);
  return true;
}

}  // namespace tk
