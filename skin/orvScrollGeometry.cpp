#include "skin/orvScrollGeometry.h"

#include <algorithm>

namespace skin {
namespace {

// a * b / c rounded to the nearest integer, halves away from zero, as the
// system's MulDiv rounds. Callers keep c above 0 and |a| below 2^32,
// |b| and c below 2^31 (or the other way round), so nothing overflows.
int64_t MulDiv(int64_t a, int64_t b, int64_t c) {
  const int64_t product = a * b;
  return product >= 0 ? (product + c / 2) / c : (product - c / 2) / c;
}

// The range's size and the steps a thumb can stand at, in 64 bits: a range
// from INT32_MIN to INT32_MAX has 2^32 positions.
struct Span {
  int64_t range;  // Max - Min + 1
  int64_t page;   // 0 .. range
  int64_t steps;  // range - max(page, 1): the thumb's last start stands for Min + steps
};

Span SpanOf(const TorvScrollInfo& info) {
  const int64_t range = int64_t{info.Max} - info.Min + 1;
  const int64_t page = std::max<int64_t>(0, info.Page);
  return {range, page, range - std::max<int64_t>(page, 1)};
}

}  // namespace

int32_t ScrollArrowLength(int32_t systemArrow, int32_t skinArrow) { return std::max(systemArrow, skinArrow); }

TorvScrollGeometry ScrollGeometry(int32_t length, int32_t arrow, const TorvScrollInfo& info, int32_t minThumb) {
  TorvScrollGeometry g;
  g.Length = std::max(0, length);
  arrow = std::max(0, arrow);
  if (int64_t{arrow} * 2 >= g.Length) {
    g.ArrowBefore = g.Length / 2;
    g.ArrowAfter = g.Length - g.ArrowBefore;
    g.TrackSplit = g.ArrowBefore;
    return g;
  }
  g.ArrowBefore = g.ArrowAfter = arrow;
  const int32_t work = g.WorkLength();
  g.TrackSplit = g.WorkStart() + work / 2;
  const Span s = SpanOf(info);
  if (s.steps <= 0) return g;
  const int64_t thumb = std::max<int64_t>(s.page == 0 ? arrow : MulDiv(s.page, work, s.range), minThumb);
  if (thumb < 1 || thumb >= work) return g;
  g.ThumbLength = static_cast<int32_t>(thumb);
  const int64_t free = work - thumb;
  const int64_t offset = std::clamp<int64_t>(MulDiv(int64_t{info.Pos} - info.Min, free, s.steps), 0, free);
  g.ThumbStart = g.WorkStart() + static_cast<int32_t>(offset);
  g.TrackSplit = g.ThumbStart + g.ThumbLength / 2;
  return g;
}

TorvScrollPart ScrollPartAt(const TorvScrollGeometry& g, int32_t along) {
  if (along < 0 || along >= g.Length) return spNone;
  if (along < g.ArrowBefore) return spLineUp;
  if (along >= g.Length - g.ArrowAfter) return spLineDown;
  if (!g.HasThumb()) return spNone;
  if (along < g.ThumbStart) return spPageUp;
  if (along < g.ThumbStart + g.ThumbLength) return spThumb;
  return spPageDown;
}

TorvThumbDrag DragThumb(const TorvScrollGeometry& g, const TorvScrollInfo& info, int32_t along, int32_t grab) {
  if (!g.HasThumb()) return {g.ThumbStart, info.Pos};
  const int64_t free = g.WorkLength() - g.ThumbLength;
  const int64_t offset = std::clamp<int64_t>(int64_t{along} - grab - g.WorkStart(), 0, free);
  const int64_t position = info.Min + MulDiv(offset, SpanOf(info).steps, free);
  return {g.WorkStart() + static_cast<int32_t>(offset), static_cast<int32_t>(position)};
}

}  // namespace skin
