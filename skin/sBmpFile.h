// BMP files: reading every form the toolkit's decoder knows (palette
// pictures uncompressed or run-length compressed, 16-, 24- and 32-bit
// pictures, with or without channel masks) into a 24-bit bitmap, and writing
// 8-bit pictures with their palette (the form in which skin artwork is kept).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "skin/sBitmap24.h"

namespace skin {

// Raises tk::EInvalidGraphic "Bitmap image is not valid" for anything that is
// not a complete picture of a supported kind; never reads past the data.
TsBitmap24 ReadBmp(std::span<const uint8_t> data);

// An 8-bit picture: one palette index per pixel, rows top to bottom.
struct TsBitmap8 {
  int32_t Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;  // Width * Height indexes
  std::vector<TColor> Palette;  // at most 256 colours, 0x00BBGGRR
};

// The BMP file of an 8-bit picture (bottom-up rows, as BMP files usually are).
std::string WriteBmp8(const TsBitmap8& picture);

}  // namespace skin
