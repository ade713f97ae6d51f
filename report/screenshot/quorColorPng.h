// The 256-colour PNG of a screenshot: Wu's palette of the picture, written
// with all 256 entries, and each pixel as the index of its nearest entry
// (TPaletteIndex), 8 bits per pixel.
#pragma once

#include "report/screenshot/quorNVImageStatus.h"
#include "report/screenshot/quorNVPixels.h"

namespace quor {

// The PNG file; kEmptyPicture, kTooLarge, kOutOfMemory or kDeflateFailed
// without one. The pixels are only read.
[[nodiscard]] NVBytesResult ColorPng(const NVPixelView& pixels);

}  // namespace quor
