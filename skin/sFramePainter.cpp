#include "skin/sFramePainter.h"

#include <algorithm>

#include "skin/sAlphaGraph.h"
#include "skin/sCacheInfo.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinProps.h"

namespace skin {

namespace {

// A section's face (state 0: the hot values would be the hover look) with
// its border image in the column of the form's activity.
void PaintFramePart(TsBitmap24& bmp, const TsSkinTables& t, int32_t section, TRect rect, bool active) {
  if (!t.ValidSection(section) || rect.Width() <= 0 || rect.Height() <= 0) return;
  PaintSectionBackground(bmp, t, section, {}, clFuchsia, -1, -1, {0, 0}, rect, false);
  const int32_t border = t.GetMaskIndex(section, t.gd[section].SectionName, s_BordersMask);
  if (t.ValidMask(border))
    PaintBorderImage(bmp, rect, false, true, active ? kFrameActiveState : kFrameInactiveState, t.ma[border],
                     t.MasterBitmap, {});
}

// A disabled button, or a normal one on an inactive form, is drawn half
// into what lies under it.
constexpr uint8_t kFadedButtonAlpha = 128;

void DrawButton(TsBitmap24& bmp, const TsSkinTables& t, const TFrameLayout& f, const TFrameLook& look, int b) {
  const int32_t image = look.ButtonImages[b];
  const TFrameRect& r = f.Buttons[b];
  // Missing images: the button is hit, not drawn.
  if (!f.Shown[b] || !t.ValidMask(image) || r.Width() < 2 || r.Height() < 2) return;
  const int32_t state = look.ButtonStates[b];
  const bool faded = !f.Enabled[b] || (state == bsNormal && !look.Active);
  if (!faded) {
    PaintSkinGlyph(bmp, {r.Left, r.Top}, state, t.ma[image], t.MasterBitmap);
    return;
  }
  TsBitmap24 under(r.Width(), r.Height());
  for (int32_t y = 0; y < r.Height(); ++y)
    for (int32_t x = 0; x < r.Width(); ++x)
      if (r.Left + x >= 0 && r.Left + x < bmp.Width() && r.Top + y >= 0 && r.Top + y < bmp.Height())
        under.SetPixel(x, y, bmp.Pixel(r.Left + x, r.Top + y));
  PaintSkinGlyph(bmp, {r.Left, r.Top}, bsNormal, t.ma[image], t.MasterBitmap);
  BlendRect(bmp, under, kFadedButtonAlpha, r.Left, r.Top, {0, 0, r.Width(), r.Height()});
}

// Puts back the pixels of `r` from the frame as it was before the buttons.
void Restore(TsBitmap24& bmp, const TsBitmap24& background, const TFrameRect& r) {
  for (int32_t y = std::max(0, r.Top); y < std::min({r.Bottom, bmp.Height(), background.Height()}); ++y)
    for (int32_t x = std::max(0, r.Left); x < std::min({r.Right, bmp.Width(), background.Width()}); ++x)
      bmp.SetPixel(x, y, background.Pixel(x, y));
}

}  // namespace

TRect TitleRect(const TFrameLayout& f, int32_t windowWidth) {
  return {0, 0, windowWidth, f.CaptionHeight > 0 ? f.CaptionHeight + f.TopBorder : 0};
}

void PaintFrame(TsBitmap24& bmp, const TsSkinTables& t, const TFrameLayout& f, const TFrameLook& look) {
  const int32_t w = bmp.Width(), h = bmp.Height();
  PaintFramePart(bmp, t, look.FormSection, {0, 0, w, h}, look.Active);
  if (!f.HasFrame) return;
  PaintFramePart(bmp, t, look.TitleSection, TitleRect(f, w), look.Active);
  if (f.Shown[cbClose] && t.ValidMask(look.TitleBarImage)) {
    // The right part of the piece, as wide as the buttons and the border.
    const TsMaskData& bar = t.ma[look.TitleBarImage];
    PaintSkinGlyph(bmp, {w - StateSize(bar).X, 0}, look.Active ? 0 : 1, bar, t.MasterBitmap);
  }
  for (int b = cbClose; b < cbCount; ++b) DrawButton(bmp, t, f, look, b);
}

void PaintCaptionButton(TsBitmap24& bmp, const TsBitmap24& background, const TsSkinTables& t, const TFrameLayout& f,
                        const TFrameLook& look, TCaptionButton button) {
  Restore(bmp, background, f.Buttons[button]);
  DrawButton(bmp, t, f, look, button);
}

void PaintTitleButton(TsBitmap24& bmp, const TsBitmap24& background, const TsSkinTables& t, TFrameRect r,
                      int32_t image, const TsBitmap24& glyph, int32_t state) {
  Restore(bmp, background, r);
  if (r.Left < 0 || r.Top < 0 || r.Right > bmp.Width() || r.Bottom > bmp.Height() || r.Empty()) return;
  if (t.ValidMask(image))
    PaintBorderImage(bmp, {r.Left, r.Top, r.Right, r.Bottom}, true, true, state, t.ma[image], t.MasterBitmap, {});
  if (glyph.Empty()) return;
  const TColor key = glyph.Pixel(0, glyph.Height() - 1);
  const int32_t shift = state == bsPressed ? 1 : 0;
  const int32_t left = r.Left + (r.Width() - glyph.Width()) / 2 + shift, top = r.Top + (r.Height() - glyph.Height()) / 2 + shift;
  for (int32_t y = 0; y < glyph.Height(); ++y)
    for (int32_t x = 0; x < glyph.Width(); ++x)
      if (const TColor c = glyph.Pixel(x, y); c != key && r.Contains(left + x, top + y)) bmp.SetPixel(left + x, top + y, c);
}

}  // namespace skin
