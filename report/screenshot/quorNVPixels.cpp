#include "report/screenshot/quorNVPixels.h"

namespace quor {

NVImageStatus NVPictureFits(uint32_t width, uint32_t height) {
  if (width == 0 || height == 0) return NVImageStatus::kEmptyPicture;
  if (width > kMaxNVSide || height > kMaxNVSide) return NVImageStatus::kTooLarge;
  if (uint64_t(width) * height * kNVBytesPerPixel > kMaxNVPixelBytes) return NVImageStatus::kTooLarge;
  return NVImageStatus::kOk;
}

NVPixels::NVPixels(uint32_t width, uint32_t height)
    : width_(width), height_(height), bits_(size_t(width) * height * kNVBytesPerPixel) {}

}  // namespace quor
