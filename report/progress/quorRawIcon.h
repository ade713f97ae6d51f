// The reporter's icons: a resource holding a 40-byte bitmap-information
// header and side x side pixels of 4 bytes (blue, green, red, opacity), rows
// bottom-up. Blended over a plain background by each pixel's opacity:
// a = opacity + 1, channel = (background x (256 - a) + icon x a) div 256.
// Platform-free.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quor {

inline constexpr uint32_t kRawIconHeaderSize = 40;

// The exact size of a raw icon resource of side x side pixels.
[[nodiscard]] constexpr uint32_t RawIconSize(uint32_t side) { return kRawIconHeaderSize + 4 * side * side; }

// The icon blended over `background` (a colour 0x00BBGGRR): side x side
// pixels 0x00RRGGBB, rows top-down (the memory layout of a 32-bit DIB).
// Nothing when the resource is not exactly RawIconSize(side) bytes.
[[nodiscard]] std::optional<std::vector<uint32_t>> BlendRawIcon(std::span<const uint8_t> resource, uint32_t side,
                                                                uint32_t background);

}  // namespace quor
