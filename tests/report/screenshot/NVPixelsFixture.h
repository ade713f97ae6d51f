// Pictures for the screenshot tests and benchmarks, built pixel by pixel.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "report/screenshot/quorNVPixels.h"
#include "report/screenshot/quorWuQuantizer.h"

namespace fixture {

// A width x height picture whose pixel (x, y), y from the top, is color(x, y).
quor::NVPixels Picture(uint32_t width, uint32_t height, const std::function<quor::TRgb(uint32_t, uint32_t)>& color);

// The picture of `colors` in one row.
quor::NVPixels Row(std::span<const quor::TRgb> colors);

quor::TRgb PixelAt(const quor::NVPixelView& pixels, uint32_t x, uint32_t y);

// A screenshot-like picture: a wallpaper gradient, two windows with caption
// gradients, borders, white client areas and lines of dark text-like strokes
// with grey edges, a flat task bar with buttons and a few icons. The same
// for the same size.
quor::NVPixels DesktopPicture(uint32_t width, uint32_t height);

}  // namespace fixture
