#include "toolkit/ExtCtrls.h"

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace tk {

namespace {

TBevelCut ValueToBevel(const std::string& prop, const tpf0::Value& v) {
  const std::string b = ValueToIdent(prop, v);
  if (b == "bvNone") return TBevelCut::bvNone;
  if (b == "bvLowered") return TBevelCut::bvLowered;
  if (b == "bvRaised") return TBevelCut::bvRaised;
  if (b == "bvSpace") return TBevelCut::bvSpace;
  throw EReadError("Invalid property value for " + prop + ": " + b);
}

void Frame3D(HDC dc, RECT& r, COLORREF topLeft, COLORREF bottomRight, int width) {
  for (int i = 0; i < width; ++i) {
    const base::GdiObject<HPEN> tl(CreatePen(PS_SOLID, 1, topLeft)), br(CreatePen(PS_SOLID, 1, bottomRight));
    {
      const base::Selection pen(dc, tl.get());
      MoveToEx(dc, r.left, r.bottom - 1, nullptr);
      LineTo(dc, r.left, r.top);
      LineTo(dc, r.right - 1, r.top);
    }
    const base::Selection pen(dc, br.get());
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
    InflateRect(&r, -1, -1);
  }
}

}  // namespace

// ---------------------------------------------------------------- TPanel

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
  width_ = 185;
  height_ = 41;
}

void TPanel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  // Tab and arrow keys reach the controls inside the panel.
  params.exStyle |= WS_EX_CONTROLPARENT;
}

bool TPanel::PaintWindow(HDC dc) {
  RECT r = {0, 0, ClientWidth(), ClientHeight()};
  FillRect(dc, &r, base::GdiObject<HBRUSH>(CreateSolidBrush(ColorToRGB(color_))).get());
  const COLORREF hi = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
  if (BevelOuter == TBevelCut::bvRaised)
    Frame3D(dc, r, hi, sh, BevelWidth);
  else if (BevelOuter == TBevelCut::bvLowered)
    Frame3D(dc, r, sh, hi, BevelWidth);
  if (BevelInner == TBevelCut::bvRaised)
    Frame3D(dc, r, hi, sh, BevelWidth);
  else if (BevelInner == TBevelCut::bvLowered)
    Frame3D(dc, r, sh, hi, BevelWidth);
  if (!caption_.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(font_.Color));
    const base::Selection font(dc, font_.Handle());
    const std::wstring text = Wide(caption_);
    const UINT align = Alignment == TAlignment::taLeftJustify    ? DT_LEFT
                       : Alignment == TAlignment::taRightJustify ? DT_RIGHT
                                                                 : DT_CENTER;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  PaintControls(dc);
  return true;
}

bool TPanel::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "BevelOuter")
    BevelOuter = ValueToBevel(name, v);
  else if (name == "BevelInner")
    BevelInner = ValueToBevel(name, v);
  else if (name == "BevelWidth")
    BevelWidth = ValueToInt(name, v);
  else if (name == "Alignment")
    Alignment = ValueToAlignment(name, v);
  else if (name == "BorderStyle" || name == "FullRepaint" || name == "UseDockManager") {
    // Defaults of this program's panels.
  } else
    return TWinControl::SetProperty(name, v);
  return true;
}

// ---------------------------------------------------------------- TShape

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
  width_ = 65;
  height_ = 65;
}

void TShape::Paint(HDC dc) {
  // Stock objects are not owned.
  const base::GdiObject<HBRUSH> ownBrush(BrushClear ? nullptr : CreateSolidBrush(ColorToRGB(BrushColor)));
  const base::GdiObject<HPEN> ownPen(PenClear ? nullptr : CreatePen(PS_SOLID, 1, ColorToRGB(PenColor)));
  const base::Selection brush(dc, BrushClear ? GetStockObject(NULL_BRUSH) : ownBrush.get());
  const base::Selection pen(dc, PenClear ? GetStockObject(NULL_PEN) : ownPen.get());
  // A null pen draws the rectangle one pixel short on the right and bottom.
  Rectangle(dc, 0, 0, width_ + (PenClear ? 1 : 0), height_ + (PenClear ? 1 : 0));
}

bool TShape::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Brush.Color")
    BrushColor = ValueToColor(name, v);
  else if (name == "Brush.Style")
    BrushClear = ValueToIdent(name, v) == "bsClear";
  else if (name == "Pen.Color")
    PenColor = ValueToColor(name, v);
  else if (name == "Pen.Style")
    PenClear = ValueToIdent(name, v) == "psClear";
  else if (name == "Shape") {
    if (ValueToIdent(name, v) != "stRectangle") throw EReadError("Only rectangular shapes are supported");
  } else
    return TGraphicControl::SetProperty(name, v);
  return true;
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  width_ = 105;
  height_ = 105;
}

void TImage::Paint(HDC dc) {
  TBitmap& bmp = Picture.Bitmap();
  if (bmp.Empty()) return;
  int x = 0, y = 0, w = bmp.Width(), h = bmp.Height();
  if (Stretch) {
    w = width_;
    h = height_;
  } else if (Center) {
    x = (width_ - w) / 2;
    y = (height_ - h) / 2;
  }
  if (Transparent) {
    TransparentBlt(dc, x, y, w, h, bmp.Canvas(), 0, 0, bmp.Width(), bmp.Height(), ColorToRGB(bmp.BottomLeftColor()));
  } else {
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, x, y, w, h, bmp.Canvas(), 0, 0, bmp.Width(), bmp.Height(), SRCCOPY);
  }
}

bool TImage::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Picture.Data") {
    if (v.type != tpf0::ValueType::Binary) throw EReadError("Invalid property value for " + name);
    Picture.LoadFromData(v.text);
  } else if (name == "Stretch")
    Stretch = ValueToBool(name, v);
  else if (name == "Center")
    Center = ValueToBool(name, v);
  else if (name == "Transparent")
    Transparent = ValueToBool(name, v);
  else if (name == "Proportional" || name == "AutoSize" || name == "IncrementalDisplay") {
    // Not used by this program's images.
  } else
    return TGraphicControl::SetProperty(name, v);
  return true;
}

}  // namespace tk
