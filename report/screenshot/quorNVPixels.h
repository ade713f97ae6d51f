// The pixels of a screenshot as a 32-bit device-independent bitmap holds
// them: rows of width x 4 bytes (blue, green, red, unused), the bottom row
// first in memory. The capture writes them into a DIB section; encoders read
// them through an NVPixelView; zooming and BMP loading create an NVPixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "report/screenshot/quorNVImageStatus.h"

namespace quor {

constexpr uint32_t kNVBytesPerPixel = 4;
constexpr uint32_t kNVBlue = 0, kNVGreen = 1, kNVRed = 2, kNVUnused = 3;  // byte offsets in a pixel
constexpr uint32_t kMaxNVSide = 32768;
// Keeps every size derived from a picture (pixel bytes, PNG rows, the BMP
// header's 32-bit fields) far from 32-bit overflow.
constexpr uint64_t kMaxNVPixelBytes = uint64_t(1) << 30;

// kOk for a picture that may be held, else kEmptyPicture or kTooLarge.
[[nodiscard]] NVImageStatus NVPictureFits(uint32_t width, uint32_t height);

// Pixels owned elsewhere (a DIB section's memory or an NVPixels); read only.
struct NVPixelView {
  uint32_t width = 0, height = 0;
  const uint8_t* bits = nullptr;  // height rows of width * 4 bytes, bottom row first

  size_t RowBytes() const { return size_t(width) * kNVBytesPerPixel; }
  // Row y counted from the top of the picture.
  const uint8_t* TopRow(uint32_t y) const { return bits + size_t(height - 1 - y) * RowBytes(); }
};

class NVPixels {
public:
  NVPixels() = default;
  // All bytes zero. Throws std::bad_alloc when the heap refuses.
  NVPixels(uint32_t width, uint32_t height);

  uint32_t Width() const { return width_; }
  uint32_t Height() const { return height_; }
  NVPixelView View() const { return {width_, height_, bits_.data()}; }
  uint8_t* TopRow(uint32_t y) { return bits_.data() + size_t(height_ - 1 - y) * View().RowBytes(); }
  // The bytes in memory order, bottom row first.
  const std::vector<uint8_t>& Bits() const { return bits_; }

private:
  uint32_t width_ = 0, height_ = 0;
  std::vector<uint8_t> bits_;
};

// A created picture, or the reason there is none (then `pixels` is empty).
struct NVPixelsResult {
  NVPixels pixels;
  NVImageStatus status = NVImageStatus::kOk;
};

}  // namespace quor
