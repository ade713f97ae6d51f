// Reading BMP files with a header of at least 40 bytes, row by row into
// 24-bit blue, green, red: 1-, 4- and 8-bit palette pictures, uncompressed
// or run-length compressed (RLE8, RLE4); 16-bit pictures (5-5-5, or any
// channel masks given as bit fields); 24-bit; 32-bit pictures (blue, green,
// red, unused, or bit fields). Platform-free: the toolkit's bitmaps and the
// skin engine's pictures both decode with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tk {

class TBmpDecoder {
public:
  // Checks the whole file first: raises EInvalidGraphic "Bitmap image is not
  // valid" for anything that is not a picture of a supported kind, so that
  // decoding never reads past the data. Uncompressed pixel data must be
  // complete; compressed data may end early (the rest keeps the first
  // palette colour), but may not declare more than kMaxPicturePixels.
  explicit TBmpDecoder(std::span<const uint8_t> file);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // Writes row y (0 is the top row) to dst as Width() pixels of three bytes.
  // A palette index beyond the palette gives its first colour.
  void DecodeRow(int32_t y, uint8_t* dst) const;

  // Where a channel lies in a 16- or 32-bit pixel.
  struct Channel {
    uint32_t Mask = 0;
    uint32_t Shift = 0;  // the mask's lowest set bit
    uint32_t Bits = 0;   // from there to its highest set bit
  };

private:
  enum class Form : uint8_t { Indexed, Expanded, Bgr24, Bgr32, Masked16, Masked32 };

  std::span<const uint8_t> file_;
  int32_t width_ = 0, height_ = 0;
  Form form_ = Form::Indexed;
  uint32_t bits_ = 0, colors_ = 0;
  bool bottomUp_ = false;
  size_t paletteAt_ = 0, pixelsAt_ = 0, stride_ = 0;
  Channel red_, green_, blue_;
  std::vector<uint8_t> indexes_;  // compressed pictures: one palette index per pixel, top row first
};

}  // namespace tk
