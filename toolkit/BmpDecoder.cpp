#include "toolkit/BmpDecoder.h"

#include <cstring>

#include "toolkit/SysUtils.h"

namespace tk {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;  // the smallest header read: BITMAPINFOHEADER
constexpr int32_t kMaxSide = 32768;
constexpr uint32_t kUncompressed = 0;  // BI_RGB

uint32_t Le(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

[[noreturn]] void BadBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }

}  // namespace

TBmpDecoder::TBmpDecoder(std::span<const uint8_t> file) : file_(file) {
  const uint8_t* data = file.data();
  const size_t size = file.size();
  if (size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') BadBitmap();
  const uint32_t offBits = Le(data + 10, 4);
  const uint8_t* h = data + kFileHeaderSize;
  const uint32_t headerSize = Le(h, 4);
  // Compared without adding to it, so that a header size near 4 GiB cannot wrap round.
  if (headerSize < kInfoHeaderSize || headerSize > size - kFileHeaderSize) BadBitmap();
  const int32_t w = static_cast<int32_t>(Le(h + 4, 4));
  const int32_t rawH = static_cast<int32_t>(Le(h + 8, 4));
  bits_ = Le(h + 14, 2);
  const uint32_t compression = Le(h + 16, 4);
  colors_ = Le(h + 32, 4);
  if (w <= 0 || w > kMaxSide || rawH == 0 || rawH < -kMaxSide || rawH > kMaxSide) BadBitmap();
  if (compression != kUncompressed || (bits_ != 1 && bits_ != 4 && bits_ != 8 && bits_ != 24 && bits_ != 32))
    BadBitmap();
  width_ = w;
  height_ = rawH < 0 ? -rawH : rawH;
  bottomUp_ = rawH > 0;
  if (bits_ <= 8 && colors_ == 0) colors_ = 1u << bits_;
  if (bits_ <= 8 && colors_ > (1u << bits_)) BadBitmap();
  paletteAt_ = kFileHeaderSize + headerSize;
  if (bits_ <= 8 && paletteAt_ + static_cast<size_t>(colors_) * 4 > size) BadBitmap();
  stride_ = ((static_cast<size_t>(w) * bits_ + 31) / 32) * 4;
  // In 64 bits: the pixel data of the largest pictures passes 4 GiB, which a
  // 32-bit size_t would wrap round to a small number.
  if (offBits > size || static_cast<uint64_t>(stride_) * static_cast<uint64_t>(height_) > size - offBits) BadBitmap();
  pixelsAt_ = offBits;
}

void TBmpDecoder::DecodeRow(int32_t y, uint8_t* dst) const {
  const uint8_t* src = file_.data() + pixelsAt_ + stride_ * static_cast<size_t>(bottomUp_ ? height_ - 1 - y : y);
  const uint8_t* palette = file_.data() + paletteAt_;
  for (int32_t x = 0; x < width_; ++x) {
    uint32_t index = 0;
    switch (bits_) {
      case 24:
        std::memcpy(dst + 3 * x, src + 3 * x, 3);
        continue;
      case 32:
        std::memcpy(dst + 3 * x, src + 4 * x, 3);
        continue;
      case 8:
        index = src[x];
        break;
      case 4:
        index = (src[x / 2] >> (x % 2 ? 0 : 4)) & 15;
        break;
      default:
        index = (src[x / 8] >> (7 - x % 8)) & 1;
        break;
    }
    if (index >= colors_) index = 0;
    std::memcpy(dst + 3 * x, palette + 4 * index, 3);
  }
}

}  // namespace tk
