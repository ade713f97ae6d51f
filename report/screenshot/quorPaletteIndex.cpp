#include "report/screenshot/quorPaletteIndex.h"

#include <cstdlib>

namespace quor {

namespace {

constexpr uint32_t kCellBits = 5;
constexpr uint32_t kCellShift = 8 - kCellBits;
constexpr size_t kCacheCells = size_t(1) << (3 * kCellBits);
constexpr int16_t kUnknown = -1;

}  // namespace

TPaletteIndex::TPaletteIndex(std::span<const TRgb> palette) : palette_(palette), cache_(kCacheCells, kUnknown) {}

uint8_t TPaletteIndex::Index(uint8_t r, uint8_t g, uint8_t b) {
  const size_t cell =
      size_t(r >> kCellShift) << (2 * kCellBits) | size_t(g >> kCellShift) << kCellBits | size_t(b >> kCellShift);
  int16_t& cached = cache_[cell];
  if (cached == kUnknown) {
    int best = INT32_MAX;
    for (size_t i = 0; i < palette_.size(); ++i) {
      const TRgb& c = palette_[i];
      const int distance = std::abs(c.r - r) + std::abs(c.g - g) + std::abs(c.b - b);
      if (distance < best) best = distance, cached = int16_t(i);
    }
  }
  return uint8_t(cached);
}

}  // namespace quor
