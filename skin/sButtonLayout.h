// Where a glyph button puts its glyph and its caption. Layouts and
// alignments are numbered as the toolkit declares them: glyph left,
// right, top, bottom; left, right, centre. Divisions truncate towards zero.
#pragma once

#include <cstdint>

#include "skin/sGraphUtils.h"
#include "skin/sMaskData.h"

namespace skin {

struct TsButtonBox {
  int32_t Width = 0, Height = 0;  // the part that holds glyph and caption
  int32_t GlyphWidth = 0, GlyphHeight = 0, TextWidth = 0, TextHeight = 0;
  int32_t Spacing = 4, Margin = -1;
  int32_t Layout = 0, Alignment = 2;
};

// Top-left of the glyph; gap is the spacing between glyph and caption (0
// when the button shows no caption). Pressed (state 2) moves it by (1, 1).
TPoint ButtonGlyphPos(const TsButtonBox& box, int32_t gap, int32_t state);

// Top-left of a bitmap button's caption: glyph and caption placed together
// along the layout's axis by Alignment, Spacing apart (none when one of
// them is empty), Margin from the edge (Margin -1: 2 when aligned left or
// right; a negative Spacing shares the free room), centred across it.
// Right-to-left reading swaps glyph left and glyph right. Pressed (state 2)
// moves it by (1, 1).
TPoint ButtonCaptionPos(const TsButtonBox& box, bool rightToLeft, int32_t state);

// The rectangle a speed button writes its caption into, moved right by
// textOffset and by (1, 1) when pressed.
TRect SpeedCaptionRect(const TsButtonBox& box, bool hasCaption, int32_t textOffset, int32_t state);

}  // namespace skin
