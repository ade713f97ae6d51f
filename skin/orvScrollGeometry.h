// Geometry along one skinned scroll bar: the two arrows, the track between
// them, the thumb's length and start, the part under a point and the
// position a dragged thumb stands for. Painting, hit testing and dragging
// all use the same numbers, so what is drawn is what a click hits.
// Platform-free; lengths are pixels counted from the bar's left or top end.
#pragma once

#include <cstdint>

namespace skin {

// The parts of a bar. Their values are the scroll codes the bar sends
// (SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK).
enum TorvScrollPart : int32_t {
  spNone = -1,
  spLineUp = 0,    // left or up arrow
  spLineDown = 1,  // right or down arrow
  spPageUp = 2,    // track before the thumb
  spPageDown = 3,  // track after the thumb
  spThumb = 5,
};

// The system's scroll information of one bar, as SCROLLINFO holds it.
struct TorvScrollInfo {
  int32_t Min = 0, Max = 0;
  int32_t Page = 0;  // the system keeps it within 0 .. Max - Min + 1
  int32_t Pos = 0;
};

// The shortest thumb a bar draws, however large its range.
inline constexpr int32_t kMinThumbLength = 10;

// The arrow length a bar uses: the system's arrow width, or the skin's
// arrow image when that is longer (skinArrow 0: the skin gives none).
int32_t ScrollArrowLength(int32_t systemArrow, int32_t skinArrow);

struct TorvScrollGeometry {
  int32_t Length = 0;       // the whole bar
  int32_t ArrowBefore = 0;  // the left or up arrow: pixels 0 .. ArrowBefore - 1
  int32_t ArrowAfter = 0;   // the right or down arrow: the last ArrowAfter pixels
  int32_t ThumbStart = 0;   // from the bar's start; meaningful only with a thumb
  int32_t ThumbLength = 0;  // 0: no thumb
  // Where the first track section ends and the second begins: the thumb's
  // centre, or the middle of the track without a thumb.
  int32_t TrackSplit = 0;

  int32_t WorkStart() const { return ArrowBefore; }
  int32_t WorkLength() const { return Length - ArrowBefore - ArrowAfter; }
  bool HasThumb() const { return ThumbLength > 0; }
};

// The geometry of a bar `length` pixels long with arrows of `arrow` pixels.
// When the two arrows do not fit, each takes half the bar (the second one
// the odd pixel) and there is no track. There is no thumb when the range
// is empty or has one position (Max <= Min), when the page covers the range,
// or when the thumb (page share of the track, `arrow` for page 0, at least
// minThumb) would not be shorter than the track. Negative lengths count as 0.
TorvScrollGeometry ScrollGeometry(int32_t length, int32_t arrow, const TorvScrollInfo& info,
                                  int32_t minThumb = kMinThumbLength);

// The part at `along` pixels from the bar's start; spNone outside the bar
// and on the track of a bar without a thumb.
TorvScrollPart ScrollPartAt(const TorvScrollGeometry& g, int32_t along);

// A thumb dragged so that the pointer, `grab` pixels into the thumb at the
// press, is at `along`: the new thumb start (kept on the track) and the
// scroll position it stands for, from Min up to the last position whose
// page still fits (Max - Page + 1). Without a thumb: the thumb start and Pos as
// they are.
struct TorvThumbDrag {
  int32_t ThumbStart = 0;
  int32_t Position = 0;
};
TorvThumbDrag DragThumb(const TorvScrollGeometry& g, const TorvScrollInfo& info, int32_t along, int32_t grab);

}  // namespace skin
