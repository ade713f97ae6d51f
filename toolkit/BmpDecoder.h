// Reading BMP files: any uncompressed 1-, 4-, 8-, 24- or 32-bit picture with
// a header of at least 40 bytes, row by row into 24-bit blue, green, red.
// Platform-free: the toolkit's bitmaps and the skin engine's pictures both
// decode with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tk {

class TBmpDecoder {
public:
  // Checks the whole file first: raises EInvalidGraphic "Bitmap image is not
  // valid" for anything that is not a complete picture of a supported kind,
  // so that decoding never reads past the data.
  explicit TBmpDecoder(std::span<const uint8_t> file);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Writes row y (0 is the top row) to dst as Width() pixels of three bytes.
  // A palette index beyond the palette gives its first colour.
  void DecodeRow(int32_t y, uint8_t* dst) const;

private:
  std::span<const uint8_t> file_;
  int32_t width_ = 0, height_ = 0;
  uint32_t bits_ = 0, colors_ = 0;
  bool bottomUp_ = false;
  size_t paletteAt_ = 0, pixelsAt_ = 0, stride_ = 0;
};

}  // namespace tk
