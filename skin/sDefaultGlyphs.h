// The edit button's default glyph "BTN_OPENFILE", drawn by the program
// itself: three frames side by side (normal, hot, pressed), each 20 x 17
// pixels of colour over 17 rows of mask (black opaque, white transparent).
// A yellow open folder with a blue curved arrow. Platform-free.
#pragma once

#include <cstdint>

#include "skin/sBitmap24.h"

namespace skin {

inline constexpr int32_t kOpenFileFrameWidth = 20;
inline constexpr int32_t kOpenFileFrameHeight = 17;
inline constexpr int32_t kGlyphFrames = 3;  // normal, hot, pressed

TsBitmap24 DrawOpenFileGlyph();

}  // namespace skin
