#include "skin/orvScrollPaint.h"

#include <algorithm>

#include "skin/sAlphaGraph.h"
#include "skin/sGraphUtils.h"

namespace skin {

namespace {

struct TBarParts {
  const TsPartIndexes &Track1, &Track2, &ArrowBefore, &ArrowAfter, &Slider;
};

TBarParts PartsOf(const TsCachedIndexes& c, bool vertical) {
  if (vertical) return {c.ScrollBar1V, c.ScrollBar2V, c.ScrollBtnTop, c.ScrollBtnBottom, c.ScrollSliderV};
  return {c.ScrollBar1H, c.ScrollBar2H, c.ScrollBtnLeft, c.ScrollBtnRight, c.ScrollSliderH};
}

// A stretch [from, to) along the bar as a rectangle of the bar bitmap.
TRect Along(const TorvBarLook& look, const TsBitmap24& bar, int32_t from, int32_t to) {
  if (look.Vertical) return {0, from, bar.Width(), to};
  return {from, 0, to, bar.Height()};
}

void PaintPart(TsBitmap24& bar, const TsSkinTables& t, const TsPartIndexes& part, TRect r, int32_t state,
               const TCacheInfo& bg) {
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  // bg lies at the bar's origin, as do the rectangles.
  PaintScrollSection(bar, t, part.Section, part.BorderMask, part.Pattern, part.HotPattern, {0, 0}, r, state, true, bg);
}

// The part's glyph in a state, centred in the rectangle.
void PaintGlyph(TsBitmap24& bar, const TsSkinTables& t, const TsPartIndexes& part, TRect r, int32_t state) {
  if (!t.ValidMask(part.GlyphMask)) return;
  const TsMaskData& image = t.ma[part.GlyphMask];
  const TPoint size = StateSize(image);
  if (size.X <= 0 || size.Y <= 0) return;
  const TPoint at = {r.Left + (r.Right - r.Left - size.X) / 2, r.Top + (r.Bottom - r.Top - size.Y) / 2};
  PaintSkinGlyph(bar, at, state, image, t.MasterBitmap);
}

}  // namespace

bool CanPaintScrollBar(const TsCachedIndexes& c, bool vertical) {
  return (vertical ? c.ScrollBar1V : c.ScrollBar1H).Section >= 0;
}

void PaintScrollBar(TsBitmap24& bar, const TsSkinTables& t, const TsCachedIndexes& c, const TorvBarLook& look,
                    const TCacheInfo& bg) {
  const int32_t length = look.Vertical ? bar.Height() : bar.Width();
  if (length < 2 || (look.Vertical ? bar.Width() : bar.Height()) < 1) return;
  const TBarParts parts = PartsOf(c, look.Vertical);
  TorvScrollGeometry g = ScrollGeometry(length, look.Arrow, look.Info);
  const bool thumb = look.Enabled && g.HasThumb();
  if (thumb && look.DraggedThumbStart >= 0) {
    g.ThumbStart = std::clamp(look.DraggedThumbStart, g.WorkStart(), g.WorkStart() + g.WorkLength() - g.ThumbLength);
    g.TrackSplit = g.ThumbStart + g.ThumbLength / 2;
  }
  const int32_t split = std::clamp(g.TrackSplit, 0, length);
  PaintPart(bar, t, parts.Track1, Along(look, bar, 0, split), look.PressedTrack == spPageUp ? 2 : 0, bg);
  PaintPart(bar, t, parts.Track2, Along(look, bar, split, length), look.PressedTrack == spPageDown ? 2 : 0, bg);
  // The arrows; each glyph sits in the arrow's outer end.
  const int32_t box = std::max(1, std::min({look.GlyphBox, g.ArrowBefore, g.ArrowAfter}));
  const TRect before = Along(look, bar, 0, g.ArrowBefore), after = Along(look, bar, length - g.ArrowAfter, length);
  PaintPart(bar, t, parts.ArrowBefore, before, look.ArrowState[0], bg);
  PaintGlyph(bar, t, parts.ArrowBefore, Along(look, bar, 0, std::min(box, g.ArrowBefore)), look.ArrowState[0]);
  PaintPart(bar, t, parts.ArrowAfter, after, look.ArrowState[1], bg);
  PaintGlyph(bar, t, parts.ArrowAfter, Along(look, bar, length - std::min(box, g.ArrowAfter), length),
             look.ArrowState[1]);
  if (thumb) {
    const TRect r = Along(look, bar, g.ThumbStart, g.ThumbStart + g.ThumbLength);
    PaintPart(bar, t, parts.Slider, r, look.ThumbState, bg);
    PaintGlyph(bar, t, parts.Slider, r, look.ThumbState);
  }
  if (!look.Enabled) PaintDisabled(bar, dkBlended, bg, 0, 0, look.DisabledTowards);
}

}  // namespace skin
