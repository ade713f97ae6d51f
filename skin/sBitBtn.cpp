#include "skin/sBitBtn.h"

#include <algorithm>

#include "skin/sButton.h"
#include "skin/sButtonLayout.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "toolkit/WinText.h"

namespace skin {

TsBitBtn::TsBitBtn(tk::TComponent* owner) : TsListGlyphButton(owner) {
  SkinData.ControlKind = ckBitBtn;
  WordWrap = true;
  // A button made at run time gets its section now; a loaded one again after loading.
  SkinData.UpdateSection();
}

void TsBitBtn::SetBlend(int32_t value) {
  value = std::clamp(value, 0, 100);
  if (value == Blend) return;
  Blend = value;
  SkinData.Invalidate();
}

void TsBitBtn::ListChanged() {
  GlyphFromList(SkinData.IsSkinned());
  SkinData.Invalidate();
}

bool TsBitBtn::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v) || SetButtonSkinProperty(Skin, name, v)) return true;
  if (name == "Blend")
    SetBlend(tk::ValueToInt(name, v));
  else if (name == "Grayed")
    Grayed = tk::ValueToBool(name, v);
  else if (name == "ShowCaption")
    ShowCaption = tk::ValueToBool(name, v);
  else if (name == "Alignment")
    Alignment = tk::ValueToAlignment(name, v);
  else
    return TsListGlyphButton::SetProperty(name, v);
  return true;
}

void TsBitBtn::Loaded() {
  tk::TBitBtn::Loaded();
  SkinData.UpdateSection();
}

TPoint TsBitBtn::GlyphPos(int32_t tw, int32_t th, int32_t state) const {
  TsButtonBox box;
  box.Width = Width(), box.Height = Height();
  const TPoint size = ButtonGlyphSize(*this, list_);
  box.GlyphWidth = size.X, box.GlyphHeight = size.Y;
  box.TextWidth = tw, box.TextHeight = th, box.Spacing = Spacing, box.Margin = Margin;
  box.Layout = static_cast<int32_t>(Layout), box.Alignment = static_cast<int32_t>(Alignment);
  const int32_t gap = ShowCaption && box.GlyphWidth > 0 && !Caption().empty() ? Spacing : 0;
  return ButtonGlyphPos(box, gap, state);
}

void TsBitBtn::PaintContent(tk::TButton& button, TsBitmap24& cache, int32_t state) {
  auto& self = static_cast<TsBitBtn&>(button);
  const std::wstring text = self.ShowCaption ? tk::Wide(self.Caption()) : std::wstring();
  const TPoint size = ButtonGlyphSize(self, self.list_);
  const int32_t gw = size.X;
  const TPoint ts = text.empty()
                        ? TPoint{0, 0}
                        : MeasureText(self.Font().Handle(), text,
                                      self.Width() - 2 * std::max(0, self.Margin) - (gw ? gw + self.Spacing : 0),
                                      DT_EXPANDTABS | DT_VCENTER | DT_CENTER | (self.WordWrap ? DT_WORDBREAK : 0));
  const TPoint g = self.GlyphPos(ts.X, ts.Y, state);
  if (!text.empty()) {
    // The caption follows the glyph on the side its layout puts it.
    int32_t x = g.X + gw + self.Spacing, y = (self.Height() - ts.Y + 1) / 2;
    if (self.Layout == tk::TButtonLayout::blGlyphRight) x = g.X - self.Spacing - ts.X;
    if (self.Layout == tk::TButtonLayout::blGlyphTop || self.Layout == tk::TButtonLayout::blGlyphBottom) {
      x = (self.Width() - ts.X + 1) / 2;
      y = self.Layout == tk::TButtonLayout::blGlyphTop ? g.Y + size.Y + self.Spacing : g.Y - self.Spacing - ts.Y;
    }
    RECT r = {x, y, x + ts.X, y + ts.Y};
    WriteControlText(cache, text, ControlEnabled(&self), self.Skin.ShowsActive(state), self.SkinData,
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
    PaintButtonGlyph(self, self.list_, cache, g, how);
  }
}

LRESULT TsBitBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  const bool done = Skin.Handle(msg, wParam, lParam, result);
  const uint16_t cmd = msg == SM_SKINCMD ? SkinCmdOf(static_cast<uint32_t>(wParam)) : 0;
  if (cmd == SKC_SETNEWSKIN || cmd == SKC_REMOVESKIN) {
    FollowSkin(SkinData.IsSkinned(false));
    if (list_.HasImages()) SkinData.Invalidate();
  }
  return done ? result : tk::TBitBtn::WndProc(msg, wParam, lParam);
}

}  // namespace skin
