#include "toolkit/BmpRle.h"

#include <algorithm>
#include <cstddef>

namespace tk {
namespace {

// The escapes that follow a zero count.
constexpr uint8_t kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2;

// The write position, as the file sees it: rows from the bottom.
class Canvas {
public:
  Canvas(int32_t width, int32_t height)
      : width_(width), height_(height), indexes_(static_cast<size_t>(width) * static_cast<size_t>(height), 0) {}

  bool Done() const { return row_ >= height_; }
  // Pixels beyond the row's end are dropped.
  void Put(uint8_t index) {
    if (x_ < width_ && row_ < height_)
      indexes_[static_cast<size_t>(height_ - 1 - row_) * static_cast<size_t>(width_) + static_cast<size_t>(x_)] = index;
    if (x_ < width_) ++x_;
  }
  void NextLine() { ++row_, x_ = 0; }
  void Move(uint32_t dx, uint32_t dy) {
    x_ = static_cast<int32_t>(std::min<int64_t>(int64_t{x_} + dx, width_));
    row_ = static_cast<int32_t>(std::min<int64_t>(int64_t{row_} + dy, height_));
  }
  void Finish() { row_ = height_; }
  std::vector<uint8_t> Take() { return std::move(indexes_); }

private:
  int32_t width_, height_;
  int32_t x_ = 0, row_ = 0;
  std::vector<uint8_t> indexes_;
};

}  // namespace

std::vector<uint8_t> ExpandBmpRle(std::span<const uint8_t> data, int32_t width, int32_t height, uint32_t bits) {
  Canvas canvas(width, height);
  // Index i of a run or an absolute run: RLE8 takes a byte per pixel, RLE4
  // alternates the high and the low nibble.
  const auto nibble = [bits](uint8_t byte, uint32_t i) -> uint8_t {
    return bits == 8 ? byte : static_cast<uint8_t>(i % 2 ? byte & 15 : byte >> 4);
  };
  size_t at = 0;
  const size_t size = data.size();
  while (!canvas.Done() && at + 2 <= size) {
    const uint8_t count = data[at], value = data[at + 1];
    at += 2;
    if (count > 0) {
      for (uint32_t i = 0; i < count; ++i) canvas.Put(nibble(value, i));
    } else if (value == kEndOfLine) {
      canvas.NextLine();
    } else if (value == kEndOfBitmap) {
      canvas.Finish();
    } else if (value == kDelta) {
      if (at + 2 > size) break;
      canvas.Move(data[at], data[at + 1]);
      at += 2;
    } else {
      // An absolute run of `value` indexes, padded to a whole number of 16-bit words.
      const size_t bytes = bits == 8 ? value : (value + 1u) / 2;
      for (uint32_t i = 0; i < value; ++i) {
        const size_t byte = at + (bits == 8 ? i : i / 2);
        if (byte >= size) break;
        canvas.Put(nibble(data[byte], i));
      }
      at += (bytes + 1) & ~size_t{1};
    }
  }
  return canvas.Take();
}

}  // namespace tk
