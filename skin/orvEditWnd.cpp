// The frame picture of a skinned window (cached, rebuilt after size, enable
// and skin changes) and the skinner of a system edit: frame and bars from
// the skin, the control's colours from its section.
#include "skin/orvSBUtils.h"

#include "base/WinSelection.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "toolkit/Messages.h"

namespace skin {

namespace {

// The window's position inside its parent's client area.
POINT OffsetInParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  POINT p = {r.left, r.top};
  if (HWND parent = GetParent(window)) ScreenToClient(parent, &p);
  return p;
}

// The client area in window coordinates.
RECT ClientInWindow(HWND window) {
  RECT client, w;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(window, &w);
  OffsetRect(&client, -w.left, -w.top);
  return client;
}

}  // namespace

// ---------------------------------------------------------------- TorvBaseWnd

void TorvBaseWnd::BuildFrameCache() {
  RECT w;
  GetWindowRect(window_, &w);
  TsBitmap24& cache = data_->CacheBitmap;
  cache = TsBitmap24(w.right - w.left, w.bottom - w.top);
  const POINT at = OffsetInParent(window_);
  if (data_->Manager() && data_->Skin().ValidSection(data_->SectionIndex))
    PaintItem(*data_, data_->GetParentBackground(), true, 0, true, cache, {at.x, at.y},
              {0, 0, cache.Width(), cache.Height()});
  data_->CacheDirty = false;
  frameOnScreen_ = false;
}

LRESULT TorvBaseWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case SM_SKINCMD:
      if (SkinCmdOf(static_cast<uint32_t>(wParam)) == SKC_REBUILDCACHE) {
        BuildFrameCache();
        return 0;
      }
      break;
    case WM_SIZE:
    case WM_ENABLE:
    case tk::CM_ENABLEDCHANGED: {
      if (msg == WM_SIZE) data_->CacheDirty = true;
      const LRESULT result = TorvScrollWnd::Handle(msg, wParam, lParam);
      if (msg == WM_SIZE)
        Refresh(true);
      else if (IsWindowVisible(window_))
        SendMessageW(window_, WM_NCPAINT, 1, 0);
      return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      const LRESULT result = TorvScrollWnd::Handle(msg, wParam, lParam);
      if (!Tracking()) Refresh(true);
      return result;
    }
    default:
      break;
  }
  return TorvScrollWnd::Handle(msg, wParam, lParam);
}

// ---------------------------------------------------------------- TorvEditWnd

TorvEditWnd::TorvEditWnd(HWND window, TsCommonData* data, const std::string& section)
    : TorvBaseWnd(window, data, section) {}

TorvEditWnd::~TorvEditWnd() { Detach(); }

void TorvEditWnd::SaveColors() {
  if (const tk::TControl* c = Control()) {
    savedColor_ = c->Color();
    savedFontColor_ = c->Font().Color;
  }
}

void TorvEditWnd::ApplyColors() {
  colorsApplied_ = true;
  tk::TControl* c = Control();
  if (!c || !data_->Manager() || !data_->Skin().ValidSection(data_->SectionIndex)) return;
  const TsGeneralData& g = data_->Skin().gd[data_->SectionIndex];
  const bool guard = styleGuard_;
  styleGuard_ = true;
  if (!data_->CustomColor() && c->Color() != static_cast<tk::TColor>(g.Color))
    c->SetColor(static_cast<tk::TColor>(g.Color));
  const tk::TColor font = static_cast<tk::TColor>(g.HotFontColor[0]);
  if (!data_->CustomFont() && c->Font().Color != font) c->Font().Color = font;
  styleGuard_ = guard;
  data_->CacheDirty = true;
}

void TorvEditWnd::RemoveSkin() {
  tk::TControl* c = Control();
  if (!c || c->IsDestroying()) return;
  c->SetColor(savedColor_);
  c->Font().Color = savedFontColor_;
}

void TorvEditWnd::PaintFrame(HDC dc) {
  if (data_->CacheDirty) {
    if (!colorsApplied_) ApplyColors();
    BuildFrameCache();
  }
  if (!CanPaintBars()) return;
  // The frame and the bars composed, then one copy around the client.
  TsBitmap24 picture = data_->CacheBitmap;
  ComposeBars(picture);
  const RECT client = ClientInWindow(window_);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
  CopyCacheToDC(picture, dc, 0, 0);
  RestoreDC(dc, saved);
  frameOnScreen_ = true;
}

void TorvEditWnd::PaintBars(HDC dc) {
  // A scroll step changes the bars, not the frame around them.
  if (!data_->CacheDirty && frameOnScreen_) {
    TorvScrollWnd::PaintBars(dc);
    return;
  }
  if (!dc) {
    HDC own = GetWindowDC(window_);
    PaintFrame(own);
    ReleaseDC(window_, own);
    return;
  }
  PaintFrame(dc);
}

LRESULT TorvEditWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCPAINT: {
      if (!IsWindowVisible(window_) || data_->IsPaintSuspended()) return 0;
      HDC dc = GetWindowDC(window_);
      PaintFrame(dc);
      ReleaseDC(window_, dc);
      return 0;
    }
    case WM_PRINT: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      data_->CacheDirty = true;
      PaintFrame(dc);
      // The client with its origin where the client lies in the window.
      const RECT client = ClientInWindow(window_);
      const int saved = SaveDC(dc);
      OffsetViewportOrgEx(dc, client.left, client.top, nullptr);
      IntersectClipRect(dc, 0, 0, client.right - client.left, client.bottom - client.top);
      SendMessageW(window_, WM_ERASEBKGND, wParam, 0);
      SendMessageW(window_, WM_PRINTCLIENT, wParam, PRF_CLIENT | PRF_OWNED);
      RestoreDC(dc, saved);
      return 0;
    }
    case WM_PAINT:
    case WM_ERASEBKGND:
      if (IsWindowVisible(window_) && data_->IsPaintSuspended()) {
        if (msg == WM_PAINT) {
          PAINTSTRUCT ps;
          BeginPaint(window_, &ps);
          EndPaint(window_, &ps);
        }
        return msg == WM_ERASEBKGND;
      }
      if (!colorsApplied_) ApplyColors();
      break;
    case SM_SKINCMD:
      switch (SkinCmdOf(static_cast<uint32_t>(wParam))) {
        case SKC_REFRESH:
          colorsApplied_ = false;
          break;
        case SKC_GETSKININDEX:
          return data_->SectionIndex + 1;
        default:
          break;
      }
      break;
    default:
      break;
  }
  // A new size has been painted by the base (frame and bars, once).
  const LRESULT result = TorvBaseWnd::Handle(msg, wParam, lParam);
  switch (msg) {
    case EM_REPLACESEL:
    case WM_SETTEXT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case tk::CN_KEYDOWN:
    case tk::CN_KEYUP:
      if (Active()) Refresh(true);
      break;
    default:
      break;
  }
  return result;
}

}  // namespace skin
