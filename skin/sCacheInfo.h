// What lies behind a control: its parent's cache bitmap and where the
// control's origin falls inside it. Painters read the background from it
// for transparent and key-coloured pixels.
#pragma once

#include <cstdint>

#include "skin/sBitmap24.h"

namespace skin {

struct TCacheInfo {
  const TsBitmap24* Bmp = nullptr;
  int32_t X = 0, Y = 0;
  bool Ready = false;  // Bmp, X and Y are valid

  // True when pixel (x, y) of the control lies inside the background bitmap.
  bool Covers(int32_t x, int32_t y) const {
    return Ready && Bmp && X + x >= 0 && Y + y >= 0 && X + x < Bmp->Width() && Y + y < Bmp->Height();
  }
  TCacheInfo Shifted(int32_t dx, int32_t dy) const { return {Bmp, X + dx, Y + dy, Ready}; }
};

// The colour painters give key-coloured and transparent pixels when the
// parent offers no picture: fuchsia means "none". Set while a control
// paints, reset to fuchsia afterwards.
TColor& TransparentKeyColor();

}  // namespace skin
