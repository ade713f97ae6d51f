#include "skin/sLabel.h"

#include <cmath>

#include "base/WinSelection.h"
#include "skin/sBoundLabel.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "toolkit/Classes.h"

namespace skin {

TsSkinManager* ActiveDefaultManager() {
  TsSkinManager* m = TsSkinManager::DefaultManager();
  return m && m->Active() && m->SkinData().SkinActive ? m : nullptr;
}

namespace {

// Channel by channel font x 0.4 + parent x 0.6, rounded to the nearest.
COLORREF DisabledTextColor(COLORREF font, COLORREF parent) {
  COLORREF c = 0;
  for (int shift : {0, 8, 16}) {
    const uint32_t f = (font >> shift) & 0xFF, p = (parent >> shift) & 0xFF;
    c |= ((f * 4 + p * 6 + 5) / 10) << shift;
  }
  return c;
}

}  // namespace

TsCustomLabel::TsCustomLabel(tk::TComponent* owner) : tk::TLabel(owner) { Transparent = true; }

bool TsCustomLabel::SetProperty(const std::string& name, const tpf0::Value& v) {
  // Labels have no section; layouts written for the engine may still name one.
  if (name.rfind("SkinData.", 0) == 0) return true;
  return tk::TLabel::SetProperty(name, v);
}

void TsCustomLabel::Paint(HDC dc) {
  if (FollowsSkinColor())
    if (const TsSkinManager* m = ActiveDefaultManager()) {
      const COLORREF c = m->GetGlobalFontColor();
      if (c != tk::clFuchsia) Font().Color = static_cast<tk::TColor>(c);
    }
  tk::TLabel::Paint(dc);
}

void TsCustomLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

LRESULT TsCustomLabel::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case SM_SKINCMD:
      switch (SkinCmdOf(static_cast<uint32_t>(wParam))) {
        case SKC_REMOVESKIN:
          if (reinterpret_cast<TsSkinManager*>(lParam) == TsSkinManager::DefaultManager() && FollowsSkinColor())
            Font().Color = tk::clWindowText;
          Invalidate();
          break;
        case SKC_SETNEWSKIN:
        case SKC_REFRESH:
          Invalidate();
          break;
        default:
          break;
      }
      return 0;
    case tk::CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      return 0;
    case tk::CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      return 0;
    default:
      return tk::TLabel::Perform(msg, wParam, lParam);
  }
}

void TsCustomLabel::DoDrawText(HDC dc, RECT& r, UINT flags) {
  if (Enabled() || !ActiveDefaultManager()) {
    tk::TLabel::DoDrawText(dc, r, flags);
    return;
  }
  const std::wstring text = DrawnText(flags);
  if ((flags & DT_CALCRECT) == 0) {
    SetBkMode(dc, TRANSPARENT);
    const COLORREF parent = Parent() ? AskColor(Parent()) : tk::ColorToRGB(Color());
    SetTextColor(dc, DisabledTextColor(tk::ColorToRGB(Font().Color), parent));
  }
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

bool TsLabel::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "UseSkinColor") {
    UseSkinColor = tk::ValueToBool(name, v);
    return true;
  }
  return TsCustomLabel::SetProperty(name, v);
}

TsEditLabel::~TsEditLabel() {
  if (boundLabel_) boundLabel_->LabelDestroyed();
}

}  // namespace skin
