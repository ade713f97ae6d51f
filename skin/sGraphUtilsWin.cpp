#include "skin/sGraphUtilsWin.h"

#include <cstring>

#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "skin/sAlphaGraph.h"
#include "skin/sCommonData.h"
#include "skin/sConst.h"
#include "skin/sGradient.h"
#include "skin/sSkinManager.h"
#include "skin/sVclUtils.h"

namespace skin {

namespace {

BITMAPINFOHEADER Header(const TsBitmap24& b) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = b.Width();
  h.biHeight = -b.Height();  // top-down rows
  h.biPlanes = 1;
  h.biBitCount = 24;
  h.biCompression = BI_RGB;
  return h;
}

void SystemTriangleFill(TsBitmap24& bmp, const TsGradTriangles& t) {
  TRIVERTEX v[5];
  for (int i = 0; i < 5; ++i) {
    v[i].x = t.X[i];
    v[i].y = t.Y[i];
    v[i].Red = static_cast<COLOR16>((t.Color[i] & 0xFF) << 8);
    v[i].Green = static_cast<COLOR16>(t.Color[i] & 0xFF00);
    v[i].Blue = static_cast<COLOR16>((t.Color[i] >> 8) & 0xFF00);
    v[i].Alpha = 0;
  }
  GRADIENT_TRIANGLE tri[4];
  for (int i = 0; i < 4; ++i)
    tri[i] = {TsGradTriangles::Triangles[i][0], TsGradTriangles::Triangles[i][1], TsGradTriangles::Triangles[i][2]};
  TsDibCanvas canvas(bmp);
  GradientFill(canvas.DC(), v, 5, tri, 4, GRADIENT_FILL_TRIANGLE);
}

}  // namespace

void UseSystemTriangleFill() { SetTriangleFill(&SystemTriangleFill); }

TsDibCanvas::TsDibCanvas(TsBitmap24& bmp) : bmp_(bmp) {
  if (bmp.Empty()) return;
  BITMAPINFOHEADER h = Header(bmp);
  void* bits = nullptr;
  dib_.reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&h), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib_) return;
  bits_ = static_cast<uint8_t*>(bits);
  std::memcpy(bits_, bmp.Bits(), static_cast<size_t>(bmp.Stride()) * bmp.Height());
  dc_.reset(CreateCompatibleDC(nullptr));
  selected_.emplace(dc_.get(), dib_.get());
}

TsDibCanvas::~TsDibCanvas() {
  if (!dib_) return;
  GdiFlush();
  std::memcpy(bmp_.ScanLine(0), bits_, static_cast<size_t>(bmp_.Stride()) * bmp_.Height());
}

TColor AskColor(tk::TControl* c) {
  TransparentKeyColor() = clFuchsia;
  if (!c) return clFuchsia;
  SendSkinCommand(c, SKC_GETCOLOR, 0);
  if (TransparentKeyColor() == clFuchsia) TransparentKeyColor() = tk::ColorToRGB(c->Color());
  return TransparentKeyColor();
}

namespace {

// The colour key pixels take while the control paints: the parent's colour
// when the parent offers no picture or the control does not show it.
void TakeParentKeyColor(TsCommonData& data, const TCacheInfo& bg) {
  tk::TControl* owner = data.OwnerControl;
  TransparentKeyColor() = clFuchsia;
  if (!owner || !owner->Parent()) return;
  if (!bg.Ready)
    TransparentKeyColor() = tk::ColorToRGB(owner->Parent()->Color());
  else if (!data.NeedsParentBackground())
    AskColor(owner->Parent());
}

}  // namespace

namespace {

// The item painter; `under` (when given) draws between the background and
// the border image.
void PaintItemAround(TsCommonData& data, const TCacheInfo& bg, bool filling, int32_t state, bool refill,
                     TsBitmap24& bmp, TPoint pos, TRect r, const std::function<void()>* under) {
  TsSkinManager* m = data.Manager();
  if (bmp.Empty() || !m || !m->Skin().ValidSection(data.SectionIndex)) return;
  if (r.Left < 0 || r.Top < 0 || r.Right > bmp.Width() || r.Bottom > bmp.Height()) return;
  const TsSkinTables& t = m->Skin();
  tk::TControl* owner = data.OwnerControl;
  TakeParentKeyColor(data, bg);
  const TColor color = data.CustomColor() && owner ? tk::ColorToRGB(owner->Color()) : clFuchsia;
  PaintSectionBackground(bmp, t, data.SectionIndex, bg, color, data.HotPatternIndex, data.PatternIndex, pos, r,
                         state != 0);
  if (under) (*under)();
  if (t.ValidMask(data.BorderMaskIndex))
    PaintBorderImage(bmp, r, filling, refill, state, t.ma[data.BorderMaskIndex], t.MasterBitmap,
                     bg.Shifted(pos.X, pos.Y));
  TransparentKeyColor() = clFuchsia;
  PaintCornerImages(bmp, t, data.SectionIndex, r, state);
}

}  // namespace

void PaintItem(TsCommonData& data, const TCacheInfo& bg, bool filling, int32_t state, bool refill, TsBitmap24& bmp,
               TPoint pos, TRect r) {
  PaintItemAround(data, bg, filling, state, refill, bmp, pos, r, nullptr);
}

UINT AlignmentFlag(tk::TAlignment a) {
  return a == tk::TAlignment::taLeftJustify ? DT_LEFT : a == tk::TAlignment::taRightJustify ? DT_RIGHT : DT_CENTER;
}

void PaintItemWithContent(TsCommonData& data, const TCacheInfo& bg, int32_t state, TsBitmap24& bmp, TPoint pos,
                          TRect r, bool overBorder, const std::function<void()>& content) {
  if (overBorder) {
    PaintItem(data, bg, true, state, true, bmp, pos, r);
    content();
  } else {
    // The face is painted already: the border image only frames it.
    PaintItemAround(data, bg, false, state, true, bmp, pos, r, &content);
  }
}

void WriteSkinText(TsBitmap24& bmp, HFONT font, const std::wstring& text, bool enabled, const TsSkinTables& t,
                   int32_t section, bool active, UINT flags, RECT r) {
  if (!t.ValidSection(section) || text.empty() || bmp.Empty()) return;
  TsDibCanvas canvas(bmp);
  HDC dc = canvas.DC();
  if (!dc) return;
  const base::Selection selectedFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const int n = static_cast<int>(text.size());
  if (!(flags & (DT_WORDBREAK | DT_END_ELLIPSIS))) {
    RECT m = {0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), n, &m, DT_CALCRECT | (flags & ~(DT_CENTER | DT_RIGHT | DT_VCENTER)));
    const int tw = m.right, th = m.bottom;
    RECT nr;
    nr.top = r.top + (r.bottom - r.top - th) / 2;
    nr.bottom = nr.top + th;
    if (flags & DT_CENTER)
      nr.left = r.left + (r.right - r.left - tw) / 2;
    else if (flags & DT_RIGHT)
      nr.left = r.right - tw;
    else
      nr.left = r.left;
    nr.right = nr.left + tw;
    InflateRect(&nr, 1, 1);
    r = nr;
  }
  auto draw = [&](COLORREF c, int dx, int dy) {
    RECT rr = r;
    OffsetRect(&rr, dx, dy);
    SetTextColor(dc, c);
    DrawTextW(dc, text.c_str(), n, &rr, flags);
  };
  if (!enabled) {
    draw(GetSysColor(COLOR_BTNHIGHLIGHT), 1, 1);
    draw(GetSysColor(COLOR_BTNSHADOW), 0, 0);
  } else {
    const TsFontColors& fc = active ? t.gd[section].HotFontColor : t.gd[section].FontColor;
    const int offsets[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    for (int i = 0; i < 4; ++i)
      if (fc[i + 1] != -1) draw(static_cast<COLORREF>(fc[i + 1]), offsets[i][0], offsets[i][1]);
    draw(static_cast<COLORREF>(fc[0]), 0, 0);
  }
}

void RefillMaskCorners(TsCommonData& data, int32_t state, uint8_t corners) {
  const TsSkinTables& t = data.Skin();
  TsBitmap24& cache = data.CacheBitmap;
  tk::TControl* c = data.OwnerControl;
  if (!c || !t.ValidMask(data.BorderMaskIndex) || cache.Width() <= 1 || cache.Height() <= 1) return;
  const TCacheInfo bg = data.GetParentBackground();
  TakeParentKeyColor(data, bg);
  RefillBorderCorners(cache, {0, 0, cache.Width(), cache.Height()}, state, t.ma[data.BorderMaskIndex], t.MasterBitmap,
                      corners, bg.Shifted(c->Left(), c->Top()));
  TransparentKeyColor() = clFuchsia;
}

void WriteControlText(TsBitmap24& bmp, const std::wstring& text, bool enabled, bool active, const TsCommonData& data,
                      UINT flags, RECT rect) {
  const tk::TControl* c = data.OwnerControl;
  if (!c) return;
  tk::TFont font = c->Font();
  if (active && data.SkinSection() == "WEBBUTTON") font.Style |= tk::fsUnderline;
  WriteSkinText(bmp, font.Handle(), text, enabled, data.Skin(), data.SectionIndex, active, flags, rect);
}

TPoint MeasureText(HFONT font, const std::wstring& text, int32_t width, UINT flags) {
  const base::WindowDc screen(nullptr);
  const base::Selection selectedFont(screen.get(), font);
  RECT m = {0, 0, width, 0};
  DrawTextW(screen.get(), text.c_str(), static_cast<int>(text.size()), &m, DT_CALCRECT | flags);
  return {m.right, m.bottom};
}

TsBitmap24 Bitmap24Of(const tk::TBitmap& g) {
  TsBitmap24 out(g.Width(), g.Height());
  const int bpp = g.BitsPerPixel() / 8;
  for (int y = 0; y < out.Height(); ++y) {
    const uint8_t* s = g.ScanLine(y);
    uint8_t* d = out.ScanLine(y);
    for (int x = 0; x < out.Width(); ++x)
      d[3 * x] = s[bpp * x], d[3 * x + 1] = s[bpp * x + 1], d[3 * x + 2] = s[bpp * x + 2];
  }
  return out;
}

void CopyCacheToDC(const TsBitmap24& cache, HDC dc, int32_t x, int32_t y) {
  if (cache.Empty()) return;
  BITMAPINFOHEADER h = Header(cache);
  SetDIBitsToDevice(dc, x, y, cache.Width(), cache.Height(), 0, 0, 0, cache.Height(), cache.Bits(),
                    reinterpret_cast<BITMAPINFO*>(&h), DIB_RGB_COLORS);
}

}  // namespace skin
