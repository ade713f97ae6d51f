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
  else if (name == "TextAlignment")
    TextAlignment = tk::ValueToAlignment(name, v);
  else if (name == "TextOffset")
    TextOffset = tk::ValueToInt(name, v);
  else if (name == "DrawOverBorder")
    Skin.DrawOverBorder = tk::ValueToBool(name, v);
  else if (name == "OnPaint" || name == "OnMouseEnter" || name == "OnMouseLeave") {
    const std::string method = tk::ValueToIdent(name, v);
    tk::TNotifyEvent handler = MethodRoot()->FindMethod(method);
    if (!handler) throw tk::EReadError("Method " + method + " not found");
    if (name == "OnPaint")
      Skin.OnPaint = [handler](tk::TComponent* sender, TsBitmap24&) { handler(sender); };
    else
      (name == "OnMouseEnter" ? Skin.OnMouseEnter : Skin.OnMouseLeave) = std::move(handler);
  } else
    return TsListGlyphButton::SetProperty(name, v);
  return true;
}

void TsBitBtn::Loaded() {
  TsListGlyphButton::Loaded();
  SkinData.UpdateSection();
}

TsButtonBox TsBitBtn::Box(int32_t tw, int32_t th) const {
  TsButtonBox box;
  box.Width = Width(), box.Height = Height();
  const TPoint size = ButtonGlyphSize(*this, list_);
  box.GlyphWidth = size.X, box.GlyphHeight = size.Y;
  box.TextWidth = tw, box.TextHeight = th, box.Spacing = Spacing, box.Margin = Margin;
  box.Layout = static_cast<int32_t>(Layout), box.Alignment = static_cast<int32_t>(Alignment);
  return box;
}

UINT TsBitBtn::TextFlags() const {
  return AlignmentFlag(TextAlignment) | DT_VCENTER | DT_EXPANDTABS | (WordWrap ? DT_WORDBREAK : 0);
}

TPoint TsBitBtn::GlyphPos(int32_t tw, int32_t th, int32_t state) const {
  const TsButtonBox box = Box(tw, th);
  const int32_t gap = ShowCaption && box.GlyphWidth > 0 && !Caption().empty() ? Spacing : 0;
  return ButtonGlyphPos(box, gap, state);
}

RECT TsBitBtn::CaptionRect(int32_t state) const {
  const std::wstring text = ShowCaption ? tk::Wide(Caption()) : std::wstring();
  if (text.empty()) return {};
  const int32_t gw = ButtonGlyphSize(*this, list_).X;
  const TPoint size = MeasureText(Font().Handle(), text, Width() - 2 * Margin - (gw ? gw + Spacing : 0), TextFlags());
  const TPoint p = ButtonCaptionPos(Box(size.X, size.Y), false, state);
  return {p.X + TextOffset, p.Y, p.X + TextOffset + size.X, p.Y + size.Y};
}

void TsBitBtn::PaintContent(tk::TButton& button, TsBitmap24& cache, int32_t state) {
  auto& self = static_cast<TsBitBtn&>(button);
  const RECT r = self.CaptionRect(state);
  const int32_t gw = ButtonGlyphSize(self, self.list_).X;
  if (r.right > r.left) {
    WriteControlText(cache, tk::Wide(self.Caption()), ControlEnabled(&self), self.Skin.ShowsActive(state),
                     self.SkinData, self.TextFlags(), r);
    if (self.ShowFocus) PaintButtonFocus(self, self.SkinData, cache, r, self.Skin.FocusMargin);
  }
  if (gw > 0) {
    const TPoint g = self.GlyphPos(r.right - r.left, r.bottom - r.top, state);
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
