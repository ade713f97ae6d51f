// Decoding JPEG pictures (baseline and progressive) with libjpeg into rows
// of blue, green, red. Platform-free: the toolkit's pictures and the skin
// engine's textures both decode with it.
#pragma once

#include <cstdint>
#include <span>

namespace tk {

// Where the decoded picture goes.
class TJpegTarget {
public:
  virtual ~TJpegTarget() = default;
  // Called once, with the picture's size, before any row is written.
  virtual void SetSize(int32_t width, int32_t height) = 0;
  // Row y (0 is the top row): room for width pixels of three bytes.
  virtual uint8_t* Row(int32_t y) = 0;
};

// Raises EInvalidGraphic "JPEG error: " and libjpeg's message for data it
// cannot decode, and "JPEG image is too large" for a picture of more than
// kMaxPicturePixels; that size is checked as soon as the header is read,
// before the decoder allocates its buffers. Exceptions of the target pass.
void DecodeJpeg(std::span<const uint8_t> data, TJpegTarget& target);

}  // namespace tk
