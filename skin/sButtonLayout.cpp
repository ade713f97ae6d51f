#include "skin/sButtonLayout.h"

namespace skin {

namespace {

int32_t MarginOf(const TsButtonBox& b) { return b.Margin < 0 ? 0 : b.Margin + 3; }

}  // namespace

TPoint ButtonGlyphPos(const TsButtonBox& b, int32_t s, int32_t state) {
  const int32_t w = b.Width, gw = b.GlyphWidth, gh = b.GlyphHeight, tw = b.TextWidth;
  const int32_t m = MarginOf(b);
  const int32_t h = (w - gw - s - tw) / 2 - m, v = (b.Height - gh - s - b.TextHeight) / 2 - m;
  const int32_t yc = (b.Height - gh) / 2;
  TPoint p;
  switch (b.Layout) {
    case 0:
      p = {b.Alignment == 0 ? m : b.Alignment == 1 ? m + 2 * h : m + h, yc};
      break;
    case 1:
      p = {b.Alignment == 0 ? w - m - 2 * h - s - gw : b.Alignment == 1 ? w - gw - m : (w + s - gw + tw) / 2, yc};
      break;
    case 2:
      p = {(w - gw) / 2 + 1, m + v};
      break;
    default:
      p = {(w - gw) / 2 + 1, b.Height - m - v - gh};
      break;
  }
  if (state == 2) ++p.X, ++p.Y;
  return p;
}

TPoint ButtonCaptionPos(const TsButtonBox& b, bool rightToLeft, int32_t state) {
  const int32_t layout = rightToLeft && b.Layout < 2 ? 1 - b.Layout : b.Layout;
  const bool across = layout < 2;  // glyph and caption side by side
  const int32_t cw = b.Width, ch = b.Height, gw = b.GlyphWidth, gh = b.GlyphHeight, tw = b.TextWidth,
                th = b.TextHeight;
  const int32_t room = across ? cw - gw - tw : ch - gh - th;
  int32_t s = tw == 0 || gw == 0 ? 0 : b.Spacing, m = b.Margin;
  if (m == -1 && s < 0)
    m = s = room / 3;
  else if (m == -1)
    m = b.Alignment == 2 ? (room - s + 1) / 2 : 2;
  else if (s < 0)
    s = (room - m) / 2;
  TPoint p;
  if (across) {
    p.Y = (ch - th + 1) / 2;
    if (layout == 0)
      p.X = b.Alignment == 0 ? m + gw + s : b.Alignment == 1 ? cw - m - tw : (cw - tw - s - gw) / 2 + gw + s;
    else
      p.X = b.Alignment == 0 ? m : b.Alignment == 1 ? cw - m - gw - s - tw : (cw - gw - s - tw) / 2;
  } else {
    p.X = (cw - tw + 1) / 2;
    const int32_t t = (ch - gh - s - th) / 2;
    p.Y = layout == 2 ? t + gh + s : ch - gh - t - s - th;
  }
  if (state == 2) ++p.X, ++p.Y;
  return p;
}

TRect SpeedCaptionRect(const TsButtonBox& b, bool hasCaption, int32_t textOffset, int32_t state) {
  const int32_t w = b.Width, gw = b.GlyphWidth, gh = b.GlyphHeight, tw = b.TextWidth, th = b.TextHeight;
  const bool vertical = b.Layout >= 2;
  const int32_t gap = (vertical ? gh : gw) >= 1 && hasCaption ? b.Spacing : 0;
  const int32_t s = gw > 0 ? b.Spacing : 0;
  const int32_t m = MarginOf(b);
  const int32_t h = (w - gw - gap - tw) / 2 - m;
  const int32_t t = (b.Height - gh - gap - th) / 2;
  TRect r;
  r.Top = (b.Height - th) / 2;
  r.Bottom = b.Height - r.Top;
  switch (b.Layout) {
    case 0:
      r.Left = b.Alignment == 0 ? gw + b.Margin + s : b.Alignment == 1 ? m + 2 * h + gw + s : gw + m + h + s;
      r.Right = b.Alignment == 0 ? w - m - 2 * h : b.Alignment == 1 ? w - m : w - m - h;
      break;
    case 1:
      r.Left = b.Alignment == 0 ? m : b.Alignment == 1 ? m + 2 * h : m + h;
      r.Right = r.Left + tw;
      break;
    default:
      r.Left = (w - tw) / 2;
      r.Right = w - r.Left;
      r.Top = b.Layout == 2 ? t + gh + gap : t;
      r.Bottom = b.Layout == 2 ? b.Height - t : b.Height - t - gh - gap;
      break;
  }
  r = {r.Left + textOffset - 1, r.Top, r.Right + textOffset + 2, r.Bottom};
  if (state == 2) r = {r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  return r;
}

}  // namespace skin
