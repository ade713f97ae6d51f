// Run-length compressed BMP pixel data (BI_RLE8 and BI_RLE4) expanded to
// one palette index per pixel. Platform-free.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tk {

// Expands the compressed rows of a bottom-up picture of width x height
// pixels with 8 or 4 bits per index, top row first. Runs and absolute runs
// are cut at the row's end; pixels that the data skips (by a delta, an early
// end of line or end of picture, or data that stops short) keep index 0. The
// data is read only within its span; the caller bounds width x height.
std::vector<uint8_t> ExpandBmpRle(std::span<const uint8_t> data, int32_t width, int32_t height, uint32_t bits);

}  // namespace tk
