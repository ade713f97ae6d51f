// A 3 x 5 pixel font for the labels of the skin contact sheet: upper-case
// letters (lower case is drawn as upper case), digits and a few signs.
#pragma once

#include <cstdint>
#include <string_view>

#include "skin/sBitmap24.h"

namespace skinsheet {

inline constexpr int32_t kGlyphWidth = 3, kGlyphHeight = 5;

// Writes text with its top-left at (x, y), every font pixel drawn as a
// scale x scale square; characters without a glyph leave a gap.
void DrawLabel(skin::TsBitmap24& bmp, int32_t x, int32_t y, std::string_view text, skin::TColor color, int32_t scale);
// The width DrawLabel needs for the text.
int32_t LabelWidth(std::string_view text, int32_t scale);

}  // namespace skinsheet
