// The 16-level greyscale PNG of a screenshot: each pixel's grey value
// (77 red + 151 green + 28 blue) div 256 as the index of the nearest of 16
// grey levels, 4 bits per pixel, two pixels per byte. Smaller than the
// 256-colour PNG for colourful pictures.
#pragma once

#include <array>
#include <cstdint>

#include "report/screenshot/quorNVImageStatus.h"
#include "report/screenshot/quorNVPixels.h"

namespace quor {

// The palette: 16 levels, denser in the dark where the eye tells more apart.
constexpr std::array<uint8_t, 16> kGreyLevels = {0,   28,  52,  73,  92,  109, 125, 140,
                                                 155, 170, 185, 199, 213, 227, 241, 255};

[[nodiscard]] uint8_t GreyValue(uint8_t r, uint8_t g, uint8_t b);

// The PNG file; kEmptyPicture, kTooLarge, kOutOfMemory or kDeflateFailed
// without one. The pixels are only read: the grey values go to the PNG's
// own rows, the picture keeps its colours.
[[nodiscard]] NVBytesResult GreyPng(const NVPixelView& pixels);

}  // namespace quor
