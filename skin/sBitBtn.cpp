#include "skin/sBitBtn.h"

#include <algorithm>

#include "skin/sButton.h"
#include "skin/sGraphUtilsWin.h"
#include "toolkit/WinText.h"

namespace skin {

namespace {

// The glyph picture as a 24-bit bitmap.
TsBitmap24 Glyph24(const tk::TBitmap& g) {
  TsBitmap24 out(g.Width(), g.Height());
  const int bpp = g.BitsPerPixel() / 8;
  for (int y = 0; y < out.Height(); ++y) {
    const uint8_t* s = g.ScanLine(y);
    uint8_t* d = out.ScanLine(y);
    for (int x = 0; x < out.Width(); ++x) d[3 * x] = s[bpp * x], d[3 * x + 1] = s[bpp * x + 1], d[3 * x + 2] = s[bpp * x + 2];
  }
  return out;
}

}  // namespace

TsBitBtn::TsBitBtn(tk::TComponent* owner) : tk::TBitBtn(owner) {
  SkinData.ControlKind = 94;
  WordWrap = true;
}

void TsBitBtn::SetBlend(int32_t value) {
  value = std::clamp(value, 0, 100);
  if (value == Blend) return;
  Blend = value;
  SkinData.Invalidate();
}

bool TsBitBtn::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v) || SetButtonSkinProperty(Skin, name, v)) return true;
  if (name == "Blend") SetBlend(tk::ValueToInt(name, v));
  else if (name == "Grayed") Grayed = tk::ValueToBool(name, v);
  else if (name == "ShowCaption") ShowCaption = tk::ValueToBool(name, v);
  else if (name == "Alignment") Alignment = tk::ValueToAlignment(name, v);
  else return tk::TBitBtn::SetProperty(name, v);
  return true;
}

void TsBitBtn::Loaded() {
  tk::TBitBtn::Loaded();
  SkinData.UpdateSection();
}

TPoint TsBitBtn::GlyphPos(int32_t tw, int32_t th, int32_t state) const {
  const int32_t gw = Glyph.Empty() ? 0 : Glyph.Width() / std::max(1, NumGlyphs), gh = Glyph.Height();
  const int32_t m = Margin < 0 ? 0 : Margin + 3;
  const int32_t s = ShowCaption && gw > 0 && !Caption().empty() ? Spacing : 0;
  const int32_t hh = (Width() - gw - s - tw) / 2 - m, v = (Height() - gh - s - th) / 2 - m;
  const int32_t yc = (Height() - gh) / 2;
  TPoint p;
  switch (Layout) {
    case tk::TButtonLayout::blGlyphLeft:
      p = {Alignment == tk::TAlignment::taLeftJustify ? m
           : Alignment == tk::TAlignment::taRightJustify ? m + 2 * hh : m + hh, yc};
      break;
    case tk::TButtonLayout::blGlyphRight:
      p = {Alignment == tk::TAlignment::taLeftJustify ? Width() - m - 2 * hh - s - gw
           : Alignment == tk::TAlignment::taRightJustify ? Width() - gw - m : (Width() + s - gw + tw) / 2, yc};
      break;
    case tk::TButtonLayout::blGlyphTop:
      p = {(Width() - gw) / 2 + 1, m + v};
      break;
    case tk::TButtonLayout::blGlyphBottom:
      p = {(Width() - gw) / 2 + 1, Height() - m - v - gh};
      break;
  }
  if (state == 2) ++p.X, ++p.Y;
  return p;
}

void TsBitBtn::PaintContent(tk::TButton& button, TsBitmap24& cache, int32_t state) {
  auto& self = static_cast<TsBitBtn&>(button);
  const std::wstring text = self.ShowCaption ? tk::Wide(self.Caption()) : std::wstring();
  const int32_t gw = self.Glyph.Empty() ? 0 : self.Glyph.Width() / std::max(1, self.NumGlyphs);
  RECT tr = {0, 0, 0, 0};
  if (!text.empty()) {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, self.Font().Handle());
    tr.right = self.Width() - 2 * std::max(0, self.Margin) - (gw ? gw + self.Spacing : 0);
    DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &tr,
              DT_CALCRECT | DT_EXPANDTABS | DT_VCENTER | DT_CENTER | (self.WordWrap ? DT_WORDBREAK : 0));
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
  }
  const TPoint g = self.GlyphPos(tr.right, tr.bottom, state);
  if (!text.empty()) {
    // The caption follows the glyph on the side its layout puts it.
    int32_t x = g.X + gw + self.Spacing, y = (self.Height() - tr.bottom + 1) / 2;
    if (self.Layout == tk::TButtonLayout::blGlyphRight) x = g.X - self.Spacing - tr.right;
    if (self.Layout == tk::TButtonLayout::blGlyphTop || self.Layout == tk::TButtonLayout::blGlyphBottom) {
      x = (self.Width() - tr.right + 1) / 2;
      y = self.Layout == tk::TButtonLayout::blGlyphTop ? g.Y + self.Glyph.Height() + self.Spacing
                                                       : g.Y - self.Spacing - tr.bottom;
    }
    RECT r = {x, y, x + tr.right, y + tr.bottom};
    WriteSkinText(cache, self.Font().Handle(), text, ControlEnabled(&self), self.SkinData.Skin(),
                  self.SkinData.SectionIndex, self.Skin.ShowsActive(state),
                  DT_CENTER | DT_VCENTER | DT_EXPANDTABS | (self.WordWrap ? DT_WORDBREAK : 0), r);
    if (self.ShowFocus) PaintButtonFocus(self, self.SkinData, cache, r, self.Skin.FocusMargin);
  }
  if (gw > 0) {
    TsControlGlyph how;
    how.Blend = self.Blend;
    how.Active = self.Skin.ShowsActive(state);
    how.DisabledGlyphKind = self.DisabledGlyphKind;
    how.Grayed = self.Grayed;
    how.Enabled = ControlEnabled(&self);
    how.NumGlyphs = self.NumGlyphs;
    PaintControlGlyph(Glyph24(self.Glyph), cache, g, how);
  }
}

LRESULT TsBitBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  const bool done = Skin.Handle(msg, wParam, lParam, result);
  return done ? result : tk::TBitBtn::WndProc(msg, wParam, lParam);
}

}  // namespace skin
