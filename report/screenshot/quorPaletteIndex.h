// Maps pixel colours to the nearest entry of a palette: the smallest sum of
// absolute component differences, the first such entry on ties. The answer
// is kept per 15-bit colour (top 5 bits of each component): the first colour
// asked for in a cell fixes the entry for every later colour of that cell,
// so that a picture costs one search per cell and a table look-up per pixel.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "report/screenshot/quorWuQuantizer.h"

namespace quor {

class TPaletteIndex {
public:
  // `palette` must have at least one entry. Throws std::bad_alloc.
  explicit TPaletteIndex(std::span<const TRgb> palette);

  [[nodiscard]] uint8_t Index(uint8_t r, uint8_t g, uint8_t b);

private:
  std::span<const TRgb> palette_;
  std::vector<int16_t> cache_;  // per 15-bit colour: the entry, or kUnknown
};

}  // namespace quor
