// The blurred drop shadow of the effect label (TsLabelFX). The label draws
// its text in white, shifted by the shadow's distance, into a bitmap of its
// paint rectangle; the text's pixels are blurred into shadow strengths, and
// the label's background in that bitmap is tinted towards the shadow colour
// by them. The label then draws the text itself over the result.
// Platform-free, so that the steps run natively exactly as in the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/sBitmap24.h"

namespace skin {

// How far the shadow reaches beyond the text: Before (<= 0) to the left and
// top, After (>= 0) to the right and bottom. A measured text rectangle grows
// by After - Before in both directions; the text is drawn -Before pixels in.
struct TsShadowMargins {
  int32_t Before = 0, After = 0;
};
TsShadowMargins ShadowMargins(int32_t distance, int32_t blur);

// Width x Height bytes, Step bytes apart along a row, rows Stride bytes
// apart (negative for bottom-up bitmaps). A 32-bit bitmap's blue bytes are
// {bits, w, h, stride, 4}; a plain 8-bit mask is {mask, w, h, w, 1}.
struct TsBytePlane {
  const uint8_t* First = nullptr;
  int32_t Width = 0, Height = 0;
  ptrdiff_t Stride = 0;
  int32_t Step = 1;
};

// The blur buffer of one label: grown as labels grow, never shrunk.
class TsShadowBlur {
public:
  // Blurs the text: every pass sets the cells of text pixels (non-zero
  // bytes) to 255, then replaces every cell, row by row from the top left,
  // by the integer mean of its four neighbours, using the cells this pass
  // has already replaced. Cells outside the picture stay 0. The number of
  // passes is cut to 0 .. kMaxShadowBlur.
  void Blur(const TsBytePlane& text, int32_t passes);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  // The shadow's strength at a pixel of the last blurred text.
  uint8_t Alpha(int32_t x, int32_t y) const { return cells_[Cell(x, y)]; }

  // Tints the picture under the shadow: each channel c of a pixel becomes
  // (a * shadow channel + (255 - a) * c) / 256 with a its strength. pixels
  // points at the top-left pixel (blue, green, red first in each pixel of
  // bytesPerPixel bytes); rows lie stride bytes apart; Width() x Height() pixels.
  void Compose(uint8_t* pixels, ptrdiff_t stride, int32_t bytesPerPixel, TColor shadow) const;

private:
  size_t Cell(int32_t x, int32_t y) const { return static_cast<size_t>(y + 1) * (width_ + 2) + (x + 1); }
  std::vector<uint8_t> cells_;
  int32_t width_ = 0, height_ = 0;
};

}  // namespace skin
