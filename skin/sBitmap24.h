// A 24-bit picture in memory laid out exactly like a top-down device-
// independent bitmap: blue, green, red per pixel, each row padded to four
// bytes. Windows code draws it with StretchDIBits (negative height) without
// copying; platform-free code reads and writes its scan lines directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin {

// Colours are 0x00BBGGRR; a value with the high byte 0xFF names a system colour.
using TColor = uint32_t;
inline constexpr TColor clFuchsia = 0xFF00FF;  // the engine's transparent key colour

class TsBitmap24 {
public:
  TsBitmap24() = default;
  TsBitmap24(int32_t width, int32_t height) { SetSize(width, height); }

  // Sizes below 1 give an empty picture. New pixels are black.
  void SetSize(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ == 0; }
  int32_t Stride() const { return stride_; }
  uint8_t* ScanLine(int32_t y) { return bits_.data() + static_cast<size_t>(y) * stride_; }
  const uint8_t* ScanLine(int32_t y) const { return bits_.data() + static_cast<size_t>(y) * stride_; }
  const uint8_t* Bits() const { return bits_.data(); }

  // 0x00BBGGRR of one pixel; the caller keeps x and y inside the picture.
  TColor Pixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, TColor color);

  bool operator==(const TsBitmap24& other) const {
    return width_ == other.width_ && height_ == other.height_ && bits_ == other.bits_;
  }

private:
  int32_t width_ = 0, height_ = 0, stride_ = 0;
  std::vector<uint8_t> bits_;
};

}  // namespace skin
