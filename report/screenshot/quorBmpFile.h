// BMP files of screenshots: writing the form handed to the system's image
// editor (the 14-byte file header, the 40-byte information header and the
// 32-bit pixels bottom-up, as the bitmap holds them) and loading the file
// back, as that form or as the editor may save it: uncompressed 24 or 32
// bits per pixel, bottom-up or top-down, any information header of at least
// 40 bytes.
#pragma once

#include <cstdint>
#include <span>

#include "report/screenshot/quorNVImageStatus.h"
#include "report/screenshot/quorNVPixels.h"

namespace quor {

// The BMP file; kEmptyPicture, kTooLarge or kOutOfMemory without one.
[[nodiscard]] NVBytesResult NVPixelsAsBmp(const NVPixelView& pixels);

// The picture of a BMP file, its unused fourth bytes 0. Every field is
// checked against the others and against the data before a pixel is read:
// anything else gives a status and no picture (kNotBmp, kBmpTruncated,
// kBmpInconsistent, kBmpUnsupported, kEmptyPicture, kTooLarge, kOutOfMemory).
[[nodiscard]] NVPixelsResult ReadBmpFile(std::span<const uint8_t> file);

}  // namespace quor
