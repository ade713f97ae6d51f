// Xiaolin Wu's colour quantizer (Graphics Gems II): the palette of at most
// 256 colours that minimises the squared error of a picture's colours, found
// by cutting the RGB cube into boxes of least variance.
#pragma once

#include <array>
#include <cstdint>

#include "report/screenshot/quorNVPixels.h"

namespace quor {

constexpr uint32_t kMaxPaletteColors = 256;

struct TRgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};

struct TWuPalette {
  std::array<TRgb, kMaxPaletteColors> colors{};  // entries from `count` on stay black
  uint32_t count = 0;                            // 1 to 256; 0 only for a picture without pixels
};

// The palette of `pixels`: each entry is the mean colour (truncated) of one
// box of the cut cube. A picture with at most 256 colours that differ in the
// top 5 bits of some component gets exactly its colours. Throws
// std::bad_alloc when the work tables (about 1.4 MB) cannot be had.
[[nodiscard]] TWuPalette WuPalette(const NVPixelView& pixels);

}  // namespace quor
