#include "toolkit/Buttons.h"

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

LRESULT TBitBtn::CNDrawItem(DRAWITEMSTRUCT* dis) {
  HDC dc = dis->hDC;
  RECT r = dis->rcItem;
  const bool pressed = (dis->itemState & ODS_SELECTED) != 0;
  const bool focused = (dis->itemState & ODS_FOCUS) != 0;
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  const int shift = pressed ? 1 : 0;
  const int gw = Glyph.Empty() ? 0 : Glyph.Width() / std::max(1, NumGlyphs), gh = Glyph.Height();
  const std::wstring text = Wide(caption_);
  SIZE ts = {0, 0};
  HGDIOBJ oldFont = SelectObject(dc, font_.Handle());
  if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &ts);
  const int gap = (gw > 0 && !text.empty()) ? Spacing : 0;
  const int totalW = gw + gap + ts.cx;
  int gx = (r.right - r.left - totalW) / 2 + shift;
  const int gy = (r.bottom - r.top - gh) / 2 + shift;
  if (gw > 0) {
    TransparentBlt(dc, gx, gy, gw, gh, Glyph.Canvas(), 0, 0, gw, gh, ColorToRGB(Glyph.BottomLeftColor()));
  }
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(font_.Color));
    RECT tr = {gx + gw + gap, r.top + shift, gx + gw + gap + ts.cx, r.bottom + shift};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  SelectObject(dc, oldFont);
  if (focused && ShowFocus) {
    RECT fr = r;
    InflateRect(&fr, -4, -4);
    DrawFocusRect(dc, &fr);
  }
  return TRUE;
}

bool TBitBtn::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Glyph.Data") {
    // The stored data: a 32-bit length, then a BMP file image.
    if (v.type != tpf0::ValueType::Binary || v.text.size() < 4) throw EReadError("Invalid property value for " + name);
    Glyph.LoadFromBmp(reinterpret_cast<const uint8_t*>(v.text.data()) + 4, v.text.size() - 4);
  } else if (name == "NumGlyphs") NumGlyphs = std::max(1, ValueToInt(name, v));
  else if (name == "ShowFocus") ShowFocus = ValueToBool(name, v);
  else if (name == "Spacing") Spacing = ValueToInt(name, v);
  else if (name == "Margin") Margin = ValueToInt(name, v);
  else if (name == "Layout") {
    const std::string l = ValueToIdent(name, v);
    Layout = l == "blGlyphRight" ? TButtonLayout::blGlyphRight : l == "blGlyphTop" ? TButtonLayout::blGlyphTop
             : l == "blGlyphBottom" ? TButtonLayout::blGlyphBottom : TButtonLayout::blGlyphLeft;
  } else if (name == "Kind") {
    // Only custom buttons are used.
  } else return TButton::SetProperty(name, v);
  return true;
}

}  // namespace tk
