// The picture of one skinned scroll bar: the two track sections split at
// the thumb's centre, the arrow buttons with their glyphs, the thumb with
// its grip, and the dimmed look of a disabled bar. The bar is composed in a
// bitmap of its own size over the window's background, so it reaches the
// screen in one copy. Platform-free.
#pragma once

#include <cstdint>

#include "skin/orvScrollGeometry.h"
#include "skin/sBitmap24.h"
#include "skin/sCacheInfo.h"
#include "skin/sCachedIndexes.h"
#include "skin/sSkinTables.h"

namespace skin {

// The look of each part: 0 normal, 1 hot, 2 pressed.
struct TorvBarLook {
  bool Vertical = false;
  int32_t Arrow = 0;        // the arrow length as drawn
  int32_t GlyphBox = 0;     // the system's arrow size: the glyph is centred in the arrow's outer GlyphBox pixels
  TorvScrollInfo Info;
  int32_t ArrowState[2] = {0, 0};
  TorvScrollPart PressedTrack = spNone;  // spPageUp or spPageDown shown pressed
  int32_t ThumbState = 0;
  int32_t DraggedThumbStart = -1;  // during a drag: where the thumb is drawn
  bool Enabled = true;
  TColor DisabledTowards = 0;  // without a background, a disabled bar fades towards this colour
};

// True when the skin has the bar's first track section: without it no bar
// of that direction is drawn.
bool CanPaintScrollBar(const TsCachedIndexes& c, bool vertical);

// Paints the bar over the whole of `bar` (its size is the bar's: length
// along, thickness across). bg describes the window's picture at the bar's
// top-left pixel.
void PaintScrollBar(TsBitmap24& bar, const TsSkinTables& t, const TsCachedIndexes& c, const TorvBarLook& look,
                    const TCacheInfo& bg);

}  // namespace skin
