#include "skin/sLabelFX.h"

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "skin/sShadowLimits.h"
#include "skin/sSkinManager.h"
#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"
#include "toolkit/SysUtils.h"

namespace skin {

namespace {

TsShadowMode ValueToShadowMode(const std::string& prop, const tpf0::Value& v) {
  const std::string s = tk::ValueToIdent(prop, v);
  if (s == "smNone") return TsShadowMode::smNone;
  if (s == "smCustom") return TsShadowMode::smCustom;
  if (s == "smSkin1") return TsShadowMode::smSkin1;
  throw tk::EReadError("Invalid property value for " + prop + ": " + s);
}

TsKindType ValueToKindType(const std::string& prop, const tpf0::Value& v) {
  const std::string s = tk::ValueToIdent(prop, v);
  if (s == "ktStandard") return TsKindType::ktStandard;
  if (s == "ktCustom") return TsKindType::ktCustom;
  if (s == "ktSkin") return TsKindType::ktSkin;
  throw tk::EReadError("Invalid property value for " + prop + ": " + s);
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT r, UINT flags, COLORREF color) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

}  // namespace

bool TsLabelFX::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Shadow.Mode")
    Shadow.SetMode(ValueToShadowMode(name, v));
  else if (name == "Shadow.Color")
    Shadow.SetColor(tk::ValueToColor(name, v));
  else if (name == "Shadow.BlurCount")
    Shadow.SetBlurCount(tk::ValueToInt(name, v));
  else if (name == "Shadow.Distance")
    Shadow.SetDistance(tk::ValueToInt(name, v));
  else if (name == "Kind.KindType")
    Kind.SetKindType(ValueToKindType(name, v));
  else if (name == "Kind.Color")
    Kind.SetColor(tk::ValueToColor(name, v));
  else if (name == "Angle") {
    // Stored by layouts for a rotated text; this label draws level text.
  } else
    return TsCustomLabel::SetProperty(name, v);
  return true;
}

COLORREF TsLabelFX::TextColor() const {
  switch (Kind.KindType()) {
    case TsKindType::ktStandard:
      return tk::ColorToRGB(Color());
    case TsKindType::ktCustom:
      return tk::ColorToRGB(Kind.Color());
    case TsKindType::ktSkin:
      break;
  }
  if (const TsSkinManager* m = ActiveDefaultManager()) {
    const int16_t i = m->ConstData().GlobalInfo;
    if (m->Skin().ValidSection(i) && m->gd()[i].FontColor[1] != -1)
      return tk::ColorToRGB(static_cast<tk::TColor>(m->gd()[i].FontColor[1]));
  }
  return tk::ColorToRGB(Kind.Color());
}

TsLabelFX::ShadowParams TsLabelFX::CurrentShadow() const {
  ShadowParams p{Shadow.Color() != tk::clNone, tk::ColorToRGB(Shadow.Color()), Shadow.BlurCount(), Shadow.Distance()};
  if (Shadow.Mode() == TsShadowMode::smSkin1)
    if (const TsSkinManager* m = ActiveDefaultManager(); m && m->SkinData().Shadow1Blur != -1) {
      const TsSkinData& s = m->SkinData();
      p = {true, tk::ColorToRGB(static_cast<tk::TColor>(s.Shadow1Color)), s.Shadow1Blur, s.Shadow1Offset};
    }
  // Values from a skin file are not trusted: a huge blur would stall every paint.
  p.blur = ClampShadowBlur(p.blur);
  p.distance = ClampShadowOffset(p.distance);
  return p;
}

void TsLabelFX::DoDrawText(HDC dc, RECT& r, UINT flags) {
  if (Shadow.Mode() == TsShadowMode::smNone) {
    TsCustomLabel::DoDrawText(dc, r, flags);
    return;
  }
  const ShadowParams shadow = CurrentShadow();
  const std::wstring text = DrawnText(flags);
  const bool measuring = (flags & DT_CALCRECT) != 0;
  if (!Enabled()) {
    // Embossed: highlight one pixel down-right, then the shadow colour in place.
    if (measuring) {
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
      return;
    }
    RECT lower = r;
    OffsetRect(&lower, 1, 1);
    DrawTextIn(dc, text, lower, flags, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextIn(dc, text, r, flags, GetSysColor(COLOR_BTNSHADOW));
    return;
  }
  const bool withShadow = shadow.hasColor && shadow.blur != 0;
  if (measuring) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    if (withShadow) {
      // Room for the shadow: AutoSize makes the label that much larger.
      margins_ = ShadowMargins(shadow.distance, shadow.blur);
      r.right += margins_.After - margins_.Before;
      r.bottom += margins_.After - margins_.Before;
    }
    return;
  }
  if (!withShadow) {
    DrawTextIn(dc, text, r, flags, TextColor());
    return;
  }
  PaintWithShadow(dc, r, flags, shadow);
}

void TsLabelFX::PaintWithShadow(HDC dc, const RECT& r, UINT flags, const ShadowParams& shadow) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;  // a rectangle of no size shows nothing
  margins_ = ShadowMargins(shadow.distance, shadow.blur);
  const std::wstring text = DrawnText(flags);
  tk::TBitmap bitmap(w, h, 32);
  const HDC canvas = bitmap.Canvas();
  const base::Selection font(canvas, Font().Handle());
  // The text's rectangle inside the bitmap; the mask is that text in white
  // on black, shifted by the shadow's distance.
  const RECT textRect = {-margins_.Before, -margins_.Before, w - margins_.After, h - margins_.After};
  RECT shifted = textRect;
  OffsetRect(&shifted, shadow.distance, shadow.distance);
  DrawTextIn(canvas, text, shifted, flags, RGB(255, 255, 255));
  GdiFlush();
  const ptrdiff_t stride = bitmap.Stride();
  blur_.Blur({bitmap.ScanLine(0), w, h, stride, 4}, shadow.blur);
  // The background under the shadow: what the parent painted, or the label's colour.
  if (Transparent) {
    BitBlt(canvas, 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
  } else {
    const base::GdiObject<HBRUSH> brush(CreateSolidBrush(tk::ColorToRGB(Color())));
    const RECT all = {0, 0, w, h};
    FillRect(canvas, &all, brush.get());
  }
  GdiFlush();
  blur_.Compose(bitmap.ScanLine(0), stride, 4, shadow.color);
  BitBlt(dc, r.left, r.top, w, h, canvas, 0, 0, SRCCOPY);
  RECT onLabel = textRect;
  OffsetRect(&onLabel, r.left, r.top);
  DrawTextIn(dc, text, onLabel, flags, TextColor());
}

}  // namespace skin
