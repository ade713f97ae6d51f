#include "toolkit/Buttons.h"

#include <algorithm>

#include "base/WinSelection.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace tk {

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  params.style |= BS_OWNERDRAW;
}

LRESULT TBitBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // An owner-drawn button is not told about double clicks as clicks.
  if (msg == WM_LBUTTONDBLCLK) msg = WM_LBUTTONDOWN;
  return TButton::WndProc(msg, wParam, lParam);
}

namespace {

// One glyph of a strip and the caption beside it, centred together in r
// and moved by `shift` pixels right and down; a disabled caption is
// embossed (highlight one pixel down-right, shadow in place).
void DrawGlyphCaption(HDC dc, RECT r, TBitmap& glyph, int numGlyphs, int index, const std::string& caption,
                      const TFont& font, int spacing, int shift, bool enabled) {
  const int gw = glyph.Empty() ? 0 : glyph.Width() / std::max(1, numGlyphs), gh = glyph.Height();
  const std::wstring text = Wide(caption);
  SIZE ts = {0, 0};
  const base::Selection selectedFont(dc, font.Handle());
  if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &ts);
  const int gap = (gw > 0 && !text.empty()) ? spacing : 0;
  const int gx = r.left + (r.right - r.left - gw - gap - ts.cx) / 2 + shift;
  const int gy = r.top + (r.bottom - r.top - gh) / 2 + shift;
  if (gw > 0)
    TransparentBlt(dc, gx, gy, gw, gh, glyph.Canvas(), index * gw, 0, gw, gh, ColorToRGB(glyph.BottomLeftColor()));
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    RECT tr = {gx + gw + gap, r.top + shift, gx + gw + gap + ts.cx, r.bottom + shift};
    auto draw = [&](COLORREF c, int d) {
      RECT rr = tr;
      OffsetRect(&rr, d, d);
      SetTextColor(dc, c);
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    };
    if (enabled) {
      draw(ColorToRGB(font.Color), 0);
    } else {
      draw(GetSysColor(COLOR_BTNHIGHLIGHT), 1);
      draw(GetSysColor(COLOR_BTNSHADOW), 0);
    }
  }
}

}  // namespace

LRESULT TBitBtn::CNDrawItem(DRAWITEMSTRUCT* dis) {
  HDC dc = dis->hDC;
  RECT r = dis->rcItem;
  const bool pressed = (dis->itemState & ODS_SELECTED) != 0;
  const bool focused = (dis->itemState & ODS_FOCUS) != 0;
  const bool disabled = (dis->itemState & ODS_DISABLED) != 0;
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  // A disabled button shows the second glyph of the strip, when there is one.
  DrawGlyphCaption(dc, r, Glyph, NumGlyphs, disabled && NumGlyphs > 1 ? 1 : 0, caption_, font_, Spacing,
                   pressed ? 1 : 0, !disabled);
  if (focused && ShowFocus) {
    RECT fr = r;
    InflateRect(&fr, -4, -4);
    DrawFocusRect(dc, &fr);
  }
  return TRUE;
}

bool TButtonGlyph::SetGlyphProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Glyph.Data") {
    // The stored data: a 32-bit length, then a BMP file image.
    if (v.type != tpf0::ValueType::Binary || v.text.size() < 4) throw EReadError("Invalid property value for " + name);
    Glyph.LoadFromBmp(reinterpret_cast<const uint8_t*>(v.text.data()) + 4, v.text.size() - 4);
  } else if (name == "NumGlyphs")
    NumGlyphs = std::clamp(ValueToInt(name, v), 1, 4);
  else if (name == "Spacing")
    Spacing = ValueToInt(name, v);
  else if (name == "Margin")
    Margin = ValueToInt(name, v);
  else if (name == "Layout") {
    const std::string l = ValueToIdent(name, v);
    Layout = l == "blGlyphRight"    ? TButtonLayout::blGlyphRight
             : l == "blGlyphTop"    ? TButtonLayout::blGlyphTop
             : l == "blGlyphBottom" ? TButtonLayout::blGlyphBottom
                                    : TButtonLayout::blGlyphLeft;
  } else
    return false;
  return true;
}

bool TBitBtn::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetGlyphProperty(name, v)) return true;
  if (name == "ShowFocus")
    ShowFocus = ValueToBool(name, v);
  else if (name == "Kind") {
    // Only custom buttons are used.
  } else
    return TButton::SetProperty(name, v);
  return true;
}

// ---------------------------------------------------------------- TSpeedButton

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  width_ = 23;
  height_ = 22;
}

void TSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  state_ = !Enabled() ? TButtonState::bsDisabled : down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
}

void TSpeedButton::SetState(TButtonState state) {
  if (state == state_) return;
  state_ = state;
  Invalidate();
}

void TSpeedButton::SetEnabled(bool enabled) {
  if (!enabled) dragging_ = false;
  state_ = !enabled ? TButtonState::bsDisabled : down_ ? TButtonState::bsExclusive : TButtonState::bsUp;
  TGraphicControl::SetEnabled(enabled);
}

void TSpeedButton::SetDown(bool down) {
  if (GroupIndex == 0) down = false;
  if (down == down_ || (down_ && !AllowAllUp)) return;
  down_ = down;
  if (Enabled()) state_ = down ? TButtonState::bsExclusive : TButtonState::bsUp;
  Invalidate();
  if (down) LetGroupUp();
}

void TSpeedButton::LetGroupUp() {
  if (!parent_) return;
  for (TControl* c : parent_->Controls()) {
    auto* b = dynamic_cast<TSpeedButton*>(c);
    if (!b || b == this || b->GroupIndex != GroupIndex || !b->down_) continue;
    b->down_ = false;
    b->SetState(b->Enabled() ? TButtonState::bsUp : TButtonState::bsDisabled);
  }
}

LRESULT TSpeedButton::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  const RECT r = {0, 0, width_, height_};
  switch (msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      mouseIn_ = msg == CM_MOUSEENTER;
      if (Flat && Enabled()) Invalidate();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!Enabled()) break;
      if (!down_) SetState(TButtonState::bsDown);
      dragging_ = true;
      break;
    case WM_MOUSEMOVE:
      if (dragging_) {
        const bool over = PtInRect(&r, p);
        SetState(down_ ? TButtonState::bsExclusive : over ? TButtonState::bsDown : TButtonState::bsUp);
      }
      break;
    case WM_LBUTTONUP: {
      if (!dragging_) break;
      dragging_ = false;
      const bool click = PtInRect(&r, p);
      if (GroupIndex != 0 && click) SetDown(!down_);
      SetState(down_ ? TButtonState::bsExclusive : TButtonState::bsUp);
      if (click) Click();
      break;
    }
    default:
      break;
  }
  return 0;
}

void TSpeedButton::Paint(HDC dc) {
  RECT r = {0, 0, width_, height_};
  const bool pressed = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  if (!Flat)
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  else if (pressed)
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (mouseIn_ && Enabled())
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  // The strip holds up to four glyphs: up, disabled, pressed, down.
  const int n = std::max(1, NumGlyphs);
  int index = 0;
  if (state_ == TButtonState::bsDisabled && n > 1)
    index = 1;
  else if (state_ == TButtonState::bsDown && n > 2)
    index = 2;
  else if (state_ == TButtonState::bsExclusive && n > 3)
    index = 3;
  DrawGlyphCaption(dc, r, Glyph, n, index, caption_, font_, Spacing, pressed ? 1 : 0, Enabled());
}

bool TSpeedButton::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetGlyphProperty(name, v)) return true;
  if (name == "Flat")
    Flat = ValueToBool(name, v);
  else if (name == "GroupIndex")
    GroupIndex = ValueToInt(name, v);
  else if (name == "AllowAllUp")
    AllowAllUp = ValueToBool(name, v);
  else if (name == "Down")
    down_ = ValueToBool(name, v);
  else
    return TGraphicControl::SetProperty(name, v);
  return true;
}

}  // namespace tk
