// Gradients of skin sections painted into 24-bit bitmaps: bands from top to
// bottom (mode 0), bands from left to right (mode 1), and four triangles
// meeting in the centre (mode 2), which the system's triangle fill draws.
#pragma once

#include <array>
#include <cstdint>

#include "skin/sBitmap24.h"
#include "skin/sMaskData.h"

namespace skin {

// The gradient's form: the Mode of its first stop.
inline constexpr int32_t kBandsDown = 0, kBandsAcross = 1, kTriangles = 2;

// Mode 2: five corners (top-left, centre, top-right, bottom-right,
// bottom-left) with their colours, and the four triangles as corner numbers.
struct TsGradTriangles {
  std::array<int32_t, 5> X{}, Y{};
  std::array<TColor, 5> Color{};
  static constexpr std::array<std::array<uint8_t, 3>, 4> Triangles = {{{0, 1, 2}, {1, 2, 3}, {0, 1, 4}, {4, 1, 3}}};
};
TsGradTriangles GradientTriangles(TRect rect, const TsGradArray& grad);

// Draws mode-2 triangles into a bitmap; the Windows build installs the
// system's triangle fill. Without one, mode 2 paints nothing.
using TsTriangleFill = void (*)(TsBitmap24& bmp, const TsGradTriangles& triangles);
void SetTriangleFill(TsTriangleFill fill);

// Paints the gradient over the rectangle (cut to the bitmap). Only the
// first stop's Mode counts; no stops paint nothing. Bands one pixel thick
// and unknown modes fill the rectangle with the first stop's Color1.
void PaintGradient(TsBitmap24& bmp, TRect rect, const TsGradArray& grad);

}  // namespace skin
