#include "skin/sFrameSkin.h"

#include <algorithm>

#include "base/WinWindowDc.h"
#include "base/ScopeExit.h"
#include "skin/sAlphaGraph.h"
#include "skin/sConst.h"
#include "skin/sFrameRegion.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sWindowShape.h"

namespace skin {

RECT WindowRectOf(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

RECT ClientInWindow(HWND h) {
  POINT client{0, 0};
  ClientToScreen(h, &client);
  const RECT w = WindowRectOf(h);
  RECT c{};
  GetClientRect(h, &c);
  OffsetRect(&c, client.x - w.left, client.y - w.top);
  return c;
}

TSystemFrameSizes SystemFrameSizes(const RECT& measured) {
  TSystemFrameSizes s;
  s.DialogFrameX = GetSystemMetrics(SM_CXDLGFRAME);
  s.DialogFrameY = GetSystemMetrics(SM_CYDLGFRAME);
  s.SizeFrameX = GetSystemMetrics(SM_CXFRAME);
  s.SizeFrameY = GetSystemMetrics(SM_CYFRAME);
  s.Caption = GetSystemMetrics(SM_CYCAPTION);
  s.SmallCaption = GetSystemMetrics(SM_CYSMCAPTION);
  s.MenuHeight = GetSystemMetrics(SM_CYMENU);
  if (measured.left >= 0) {
    s.DialogFrameX = s.SizeFrameX = measured.left;
    s.DialogFrameY = s.SizeFrameY = measured.bottom;
    s.Caption = s.SmallCaption = std::max<LONG>(0, measured.top - measured.bottom);
  }
  return s;
}

TFrameLook FrameLookOf(const TsSkinTables& t, const TFrameLookInput& in) {
  TFrameLook look;
  look.Active = in.Active;
  if (in.ButtonStates) std::copy(in.ButtonStates, in.ButtonStates + cbCount, look.ButtonStates);
  look.FormSection = in.FrameSection;
  const std::string title = in.TitleSkin.empty() ? s_FormTitle : in.TitleSkin;
  look.TitleSection = t.GetSkinIndex(title);
  if (look.TitleSection < 0) look.TitleSection = t.GetSkinIndex(s_FormTitle);
  look.TitleBarImage = t.GetMaskIndexExact(in.FrameSectionName, "TITLEBAR");
  const bool small = in.SmallButtons && t.GetMaskIndexExact(s_GlobalInfo, "SICONCLOSE") >= 0;
  const std::string prefix = small ? "SICON" : "BICON";
  const bool global = t.GetMaskIndexExact(s_GlobalInfo, "BICONCLOSE") >= 0;
  const std::string home = global ? s_GlobalInfo : in.FrameSectionName;
  const auto image = [&](const std::string& name) { return t.GetMaskIndexExact(home, name); };
  look.ButtonImages[cbClose] = image(prefix + "CLOSE");
  look.ButtonImages[cbMaximize] = image(prefix + (in.State == TFrameState::Maximized ? "NORM" : "MAX"));
  look.ButtonImages[cbMinimize] = image(prefix + (in.State == TFrameState::Minimized ? "NORM" : "MIN"));
  look.ButtonImages[cbHelp] = image(prefix + "HELP");
  if (look.ButtonImages[cbHelp] < 0) look.ButtonImages[cbHelp] = image("BICONHELP");
  return look;
}

int32_t TitleStripHeight(const TFrameLayout& f) {
  int32_t bottom = std::max({f.CaptionHeight > 0 ? f.CaptionHeight + f.TopBorder : 0, f.Icon.Bottom, f.Text.Bottom});
  for (const TFrameRect& b : f.Buttons) bottom = std::max(bottom, b.Bottom);
  for (const TFrameRect& b : f.TitleButtons) bottom = std::max(bottom, b.Bottom);
  return std::max(0, bottom);
}

void PaintFramePicture(TsBitmap24& cache, TsBitmap24& titleBackground, const TsSkinTables& t, const TFrameLayout& f,
                       const TFrameLook& look) {
  TFrameLook bare = look;
  std::fill(std::begin(bare.ButtonImages), std::end(bare.ButtonImages), -1);
  PaintFrame(cache, t, f, bare);
  // Only the title strip: every caption and title button lies in it.
  titleBackground = TsBitmap24(cache.Width(), std::min(TitleStripHeight(f), cache.Height()));
  if (!titleBackground.Empty()) skin::CopyRect(titleBackground, cache, 0, 0, {0, 0, cache.Width(), titleBackground.Height()});
  for (int b = cbClose; b < cbCount; ++b)
    PaintCaptionButton(cache, titleBackground, t, f, look, static_cast<TCaptionButton>(b));
}

void PaintFrameCaption(TsBitmap24& cache, const TFrameLayout& f, HWND window, HICON icon, HFONT font,
                       const TsSkinTables& t, const TFrameLook& look, UINT alignment) {
  // Icon and text are drawn by the system into a device-independent copy of
  // the title strip alone, not of the whole window: the copies in and out
  // cost as much as the drawing.
  TsBitmap24 strip(cache.Width(), std::min(TitleStripHeight(f), cache.Height()));
  if (strip.Empty()) return;
  skin::CopyRect(strip, cache, 0, 0, {0, 0, strip.Width(), strip.Height()});
  const base::ScopeExit back([&] { skin::CopyRect(cache, strip, 0, 0, {0, 0, strip.Width(), strip.Height()}); });
  if (f.IconSize > 0 && icon) {
    TsDibCanvas canvas(strip);
    DrawIconEx(canvas.DC(), f.Icon.Left, f.Icon.Top, icon, f.Icon.Width(), f.Icon.Height(), 0, nullptr, DI_NORMAL);
  }
  if (f.Text.Empty()) return;
  const int len = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(len) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), len + 1)));
  const int32_t textHeight = MeasureText(font, L"W", 0, DT_SINGLELINE).Y;
  RECT r{f.Text.Left, f.Text.Top, f.Text.Right, f.Text.Bottom};
  r.top = (r.top + r.bottom - textHeight) / 2;
  r.bottom = r.top + textHeight;
  WriteSkinText(strip, font, text, true, t, look.TitleSection, look.Active,
                DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER | DT_NOPREFIX | alignment, r);
}

void ShapeFrameWindow(HWND h, const TsSkinTables& t, const TFrameLayout& f, const TFrameLook& look) {
  const RECT r = WindowRectOf(h);
  const int32_t w = r.right - r.left, height = r.bottom - r.top;
  SetWindowShape(h, w, height, FrameCutouts(t, look.FormSection, look.TitleSection, f, w, height, kFrameActiveState),
                 false);
}

bool SystemMenuCloseEnabled(HWND h) {
  const HMENU menu = GetSystemMenu(h, FALSE);
  if (!menu) return true;
  const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

bool WindowOffersClose(HWND h) {
  return !(GetClassLongW(h, GCL_STYLE) & CS_NOCLOSE) && SystemMenuCloseEnabled(h);
}

bool SendCaptionButtonCommand(HWND h, int32_t hit, bool minimizedRestores) {
  WPARAM command = 0;
  switch (hit) {
    case fhClose:
      command = SC_CLOSE;
      break;
    case fhMaxButton:
      command = IsZoomed(h) ? SC_RESTORE : SC_MAXIMIZE;
      break;
    case fhMinButton:
      command = minimizedRestores && IsIconic(h) ? SC_RESTORE : SC_MINIMIZE;
      break;
    case fhHelp:
      command = SC_CONTEXTHELP;
      break;
    default:
      return false;
  }
  SendMessageW(h, WM_SYSCOMMAND, command, 0);
  return true;
}

bool TCaptionPress::Begin(HWND h, int32_t hit) {
  if (const int32_t b = ButtonOfHit(hit); b != kNoButton && !host_.Layout().Enabled[b]) return false;
  held_ = hit;
  host_.ShowState(hit, bsPressed);
  SetCapture(h);
  return true;
}

bool TCaptionPress::Follow(HWND h, UINT msg, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      if (held_ == fhNowhere) return false;
      POINT p{static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
      ClientToScreen(h, &p);
      const RECT w = WindowRectOf(h);
      host_.ShowState(held_, FrameHitTest(host_.Layout(), p.x - w.left, p.y - w.top) == held_ ? bsPressed : bsNormal);
      return true;
    }
    case WM_LBUTTONUP:
      if (held_ == fhNowhere) return false;
      End(h, true);
      return true;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      End(h, false);
      return false;
    default:
      return false;
  }
}

void TCaptionPress::End(HWND h, bool act) {
  if (held_ == fhNowhere) return;
  const int32_t hit = held_;
  held_ = fhNowhere;
  POINT p;
  GetCursorPos(&p);
  const RECT w = WindowRectOf(h);
  const bool over = FrameHitTest(host_.Layout(), p.x - w.left, p.y - w.top) == hit;
  if (GetCapture() == h) ReleaseCapture();
  host_.ShowState(hit, act && over ? bsHot : bsNormal);
  if (act && over) host_.Act(hit, p);
}

void CopyFrameToWindow(HWND h, const TsBitmap24& cache, const std::vector<RECT>& leftOut) {
  const base::WindowDc dc(h, base::WindowDc::WholeWindow{});
  if (!dc) return;
  const RECT c = ClientInWindow(h);
  ExcludeClipRect(dc.get(), c.left, c.top, c.right, c.bottom);
  for (const RECT& r : leftOut) ExcludeClipRect(dc.get(), r.left, r.top, r.right, r.bottom);
  CopyCacheToDC(cache, dc.get(), 0, 0);
}

void CopyFramePartToWindow(HWND h, const TsBitmap24& cache, const TFrameRect& r) {
  const base::WindowDc dc(h, base::WindowDc::WholeWindow{});
  if (!dc) return;
  IntersectClipRect(dc.get(), r.Left, r.Top, r.Right, r.Bottom);
  CopyCacheToDC(cache, dc.get(), 0, 0);
}

}  // namespace skin
