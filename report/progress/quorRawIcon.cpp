#include "report/progress/quorRawIcon.h"

namespace quor {

namespace {

uint32_t BlendChannel(uint32_t background, uint32_t icon, uint32_t alpha) {
  return (background * (256 - alpha) + icon * alpha) / 256;
}

}  // namespace

std::optional<std::vector<uint32_t>> BlendRawIcon(std::span<const uint8_t> resource, uint32_t side,
                                                  uint32_t background) {
  if (resource.size() != RawIconSize(side)) return std::nullopt;
  const uint32_t bgRed = background & 0xFF, bgGreen = (background >> 8) & 0xFF, bgBlue = (background >> 16) & 0xFF;
  std::vector<uint32_t> pixels(size_t(side) * side);
  const uint8_t* stored = resource.data() + kRawIconHeaderSize;
  for (uint32_t row = 0; row < side; ++row) {
    // Stored rows run bottom-up.
    const uint8_t* in = stored + size_t(side - 1 - row) * side * 4;
    uint32_t* out = pixels.data() + size_t(row) * side;
    for (uint32_t x = 0; x < side; ++x, in += 4) {
      const uint32_t alpha = uint32_t(in[3]) + 1;
      out[x] = BlendChannel(bgRed, in[2], alpha) << 16 | BlendChannel(bgGreen, in[1], alpha) << 8 |
               BlendChannel(bgBlue, in[0], alpha);
    }
  }
  return pixels;
}

}  // namespace quor
