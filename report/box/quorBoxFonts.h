// The exception box's two fonts: the normal font "Tahoma" 11 pixels (where
// the system has no Tahoma, "MS Sans Serif" 12 pixels) and the fixed font
// "Courier New" 11 pixels.
#pragma once

#include <windows.h>

#include "base/WinGdiObject.h"

namespace quor {

struct TBoxFonts {
  base::GdiObject<HFONT> normal;
  base::GdiObject<HFONT> fixed;
};

[[nodiscard]] TBoxFonts CreateBoxFonts();

}  // namespace quor
