// Writes an indexed-colour PNG file (the PNG specification, colour type 3):
// the signature, then the chunks IHDR, PLTE, one IDAT and IEND, each with
// its CRC-32. The IDAT holds one zlib stream (RFC 1950) of the rows: the
// header for a 32 KB window and the best level, raw deflate at that level,
// and the Adler-32 of the rows.
#pragma once

#include <cstdint>
#include <span>

#include "report/screenshot/quorNVImageStatus.h"

namespace quor {

struct TPngPicture {
  uint32_t width = 0, height = 0;
  uint8_t bitDepth = 8;              // bits per palette index: 8 or 4
  std::span<const uint8_t> palette;  // red, green, blue per entry
  // The image data before compression: per row, top row first, a filter
  // byte and the row's indexes packed to bitDepth bits, the first pixel in
  // the high bits.
  std::span<const uint8_t> rows;
};

// The PNG file, or kDeflateFailed, kOutOfMemory.
[[nodiscard]] NVBytesResult WritePalettePng(const TPngPicture& picture);

}  // namespace quor
