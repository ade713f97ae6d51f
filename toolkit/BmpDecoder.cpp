#include "toolkit/BmpDecoder.h"

#include <bit>
#include <cstring>

#include "toolkit/BmpRle.h"
#include "toolkit/PictureLimits.h"
#include "toolkit/SysUtils.h"

namespace tk {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;  // the smallest header read: BITMAPINFOHEADER
// Red, green and blue masks follow the first 40 header bytes: right after a
// 40-byte header, or as the next fields of a larger one.
constexpr size_t kMasksAt = kFileHeaderSize + kInfoHeaderSize, kMasksSize = 12;
constexpr int32_t kMaxSide = 32768;
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;  // biCompression

// The channel masks of pictures without bit fields.
constexpr uint32_t kRed555 = 0x7C00, kGreen555 = 0x03E0, kBlue555 = 0x001F;

uint32_t Le(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

[[noreturn]] void BadBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }

TBmpDecoder::Channel ChannelOf(uint32_t mask) {
  if (mask == 0) return {};
  const auto shift = static_cast<uint32_t>(std::countr_zero(mask));
  return {mask, shift, static_cast<uint32_t>(std::bit_width(mask >> shift))};
}

// The channel's value widened or narrowed to 8 bits. A narrower value is
// repeated below itself (5 bits abcde give abcdeabc), so that its largest
// value becomes 255, as the system's conversion of such pictures does.
uint8_t Channel8(uint32_t pixel, const TBmpDecoder::Channel& c) {
  if (c.Bits == 0) return 0;
  const uint32_t v = (pixel & c.Mask) >> c.Shift;
  if (c.Bits >= 8) return static_cast<uint8_t>(v >> (c.Bits - 8));
  uint32_t out = 0;
  for (int32_t at = 8 - static_cast<int32_t>(c.Bits);; at -= static_cast<int32_t>(c.Bits)) {
    out |= at >= 0 ? v << at : v >> -at;
    if (at <= 0) break;
  }
  return static_cast<uint8_t>(out);
}

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
  const uint32_t imageSize = Le(h + 20, 4);
  colors_ = Le(h + 32, 4);
  if (w <= 0 || w > kMaxSide || rawH == 0 || rawH < -kMaxSide || rawH > kMaxSide) BadBitmap();
  width_ = w;
  height_ = rawH < 0 ? -rawH : rawH;
  bottomUp_ = rawH > 0;

  const bool indexed = bits_ == 1 || bits_ == 4 || bits_ == 8;
  const bool compressed = (compression == kRle8 && bits_ == 8) || (compression == kRle4 && bits_ == 4);
  if (compression == kRgb && indexed) {
    form_ = Form::Indexed;
  } else if (compressed) {
    // Compressed rows are always stored from the bottom up.
    if (!bottomUp_) BadBitmap();
    form_ = Form::Expanded;
  } else if (compression == kRgb && bits_ == 24) {
    form_ = Form::Bgr24;
  } else if (compression == kRgb && bits_ == 32) {
    form_ = Form::Bgr32;
  } else if ((compression == kRgb || compression == kBitFields) && (bits_ == 16 || bits_ == 32)) {
    form_ = bits_ == 16 ? Form::Masked16 : Form::Masked32;
    uint32_t masks[3] = {kRed555, kGreen555, kBlue555};
    if (compression == kBitFields) {
      if (kMasksAt + kMasksSize > size) BadBitmap();
      for (int i = 0; i < 3; ++i) masks[i] = Le(data + kMasksAt + 4 * i, 4);
    }
    red_ = ChannelOf(masks[0]);
    green_ = ChannelOf(masks[1]);
    blue_ = ChannelOf(masks[2]);
  } else {
    BadBitmap();
  }

  if (indexed && colors_ == 0) colors_ = 1u << bits_;
  if (indexed && colors_ > (1u << bits_)) BadBitmap();
  paletteAt_ = kFileHeaderSize + headerSize;
  if (indexed && paletteAt_ + static_cast<size_t>(colors_) * 4 > size) BadBitmap();
  if (offBits > size) BadBitmap();
  pixelsAt_ = offBits;

  if (form_ == Form::Expanded) {
    // The file does not bound a compressed picture's size: the limit does.
    if (static_cast<uint64_t>(width_) * static_cast<uint64_t>(height_) > kMaxPicturePixels) BadBitmap();
    const size_t available = size - offBits;
    const size_t length = imageSize > 0 && imageSize < available ? imageSize : available;
    indexes_ = ExpandBmpRle(file.subspan(offBits, length), width_, height_, bits_);
    return;
  }
  stride_ = ((static_cast<size_t>(w) * bits_ + 31) / 32) * 4;
  // In 64 bits: the pixel data of the largest pictures passes 4 GiB, which a
  // 32-bit size_t would wrap round to a small number.
  if (static_cast<uint64_t>(stride_) * static_cast<uint64_t>(height_) > size - offBits) BadBitmap();
}

void TBmpDecoder::DecodeRow(int32_t y, uint8_t* dst) const {
  const uint8_t* palette = file_.data() + paletteAt_;
  auto fromPalette = [&](int32_t x, uint32_t index) {
    if (index >= colors_) index = 0;
    std::memcpy(dst + 3 * x, palette + 4 * index, 3);
  };
  if (form_ == Form::Expanded) {
    const uint8_t* row = indexes_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
    for (int32_t x = 0; x < width_; ++x) fromPalette(x, row[x]);
    return;
  }
  const uint8_t* src = file_.data() + pixelsAt_ + stride_ * static_cast<size_t>(bottomUp_ ? height_ - 1 - y : y);
  for (int32_t x = 0; x < width_; ++x) {
    uint8_t* out = dst + 3 * x;
    switch (form_) {
      case Form::Bgr24:
        std::memcpy(out, src + 3 * x, 3);
        break;
      case Form::Bgr32:
        std::memcpy(out, src + 4 * x, 3);
        break;
      case Form::Masked16:
      case Form::Masked32: {
        const uint32_t pixel = form_ == Form::Masked16 ? Le(src + 2 * x, 2) : Le(src + 4 * x, 4);
        out[0] = Channel8(pixel, blue_);
        out[1] = Channel8(pixel, green_);
        out[2] = Channel8(pixel, red_);
        break;
      }
      default:  // Form::Indexed
        fromPalette(x, bits_ == 8   ? src[x]
                       : bits_ == 4 ? (src[x / 2] >> (x % 2 ? 0 : 4)) & 15
                                    : (src[x / 8] >> (7 - x % 8)) & 1);
        break;
    }
  }
}

}  // namespace tk
