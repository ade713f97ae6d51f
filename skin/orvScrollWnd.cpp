// The skinned scroll bars of a window: the frame calculation that reserves
// their space, painting, hit testing, hovering, presses on arrows and track
// with their repeat, and thumb drags. One bar in the whole program is
// hovered, pressed or dragged at a time.
#include "skin/orvSBUtils.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/orvScrollPaint.h"
#include "skin/sAlphaGraph.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "toolkit/Messages.h"

namespace skin {

namespace {

// The skinner's window timers.
constexpr UINT_PTR kHoverTimer = 0xFFF2, kFirstRepeatTimer = 0xFFFD, kRepeatTimer = 0xFFFE;
constexpr UINT kHoverInterval = 20, kFirstRepeatDelay = 300, kRepeatInterval = 55;

// The one bar interaction of the program.
struct TInteraction {
  HWND Window = nullptr;  // hovered or pressed
  int32_t PressedBar = -1;  // 0 horizontal, 1 vertical
  TorvScrollPart Pressed = spNone, ShownPressed = spNone;
  // Thumb drag: the pointer's offset inside the thumb at the press and the
  // last position sent.
  int32_t Grab = 0, LastPos = 0;
  int32_t HotBar = -1;
  RECT HotRect{};
  TorvScrollPart HotPart = spNone;
};
TInteraction g_bar;

int32_t Thickness(bool vertical) { return GetSystemMetrics(vertical ? SM_CXVSCROLL : SM_CYHSCROLL); }
// The arrow length hit testing and the thumb use.
int32_t SystemArrow() { return GetSystemMetrics(SM_CXHSCROLL); }

TorvScrollInfo InfoOf(const SCROLLINFO& si) {
  return {si.nMin, si.nMax, static_cast<int32_t>(si.nPage), si.nPos};
}

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT WindowToScreen(HWND window, RECT r) {
  RECT w;
  GetWindowRect(window, &w);
  OffsetRect(&r, w.left, w.top);
  return r;
}

}  // namespace

TorvScrollWnd::TorvScrollWnd(HWND window, TsCommonData* data, const std::string& section)
    : TorvMainWnd(window, data, section) {
  bars_[1].Vertical = true;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  bars_[0].HasStyle = (style & WS_HSCROLL) != 0;
  bars_[1].HasStyle = (style & WS_VSCROLL) != 0;
  barsOnLeft_ = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  Refresh(false);
}

TorvScrollWnd::~TorvScrollWnd() {
  if (g_bar.Window == window_) g_bar = {};
}

void TorvScrollWnd::Refresh(bool repaint) {
  for (TorvScrollBar& bar : bars_) {
    bar.Info = {sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(window_, bar.Vertical ? SB_VERT : SB_HORZ, &bar.Info)) bar.Info = {sizeof(SCROLLINFO)};
  }
  if (repaint) PaintBars(nullptr);
}

LRESULT TorvScrollWnd::CalcSize(WPARAM wParam, LPARAM lParam) {
  RECT* proposed = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  const RECT window = *proposed;
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  const LONG_PTR bars = style & (WS_HSCROLL | WS_VSCROLL);
  LRESULT result;
  if (bars) {
    // Without the bars in its style the system reserves no space for them
    // and draws none; the scroll information stays with the window.
    styleGuard_ = true;
    SetWindowLongPtrW(window_, GWL_STYLE, style & ~bars);
    result = Default(WM_NCCALCSIZE, wParam, lParam);
    SetWindowLongPtrW(window_, GWL_STYLE, style);
    styleGuard_ = false;
  } else {
    result = Default(WM_NCCALCSIZE, wParam, lParam);
  }
  framedBySkin_ = true;
  bars_[0].HasStyle = (style & WS_HSCROLL) != 0;
  bars_[1].HasStyle = (style & WS_VSCROLL) != 0;
  RECT& client = *proposed;
  edges_ = {client.left - window.left, client.top - window.top, window.right - client.right,
            window.bottom - client.bottom};
  bars_[0].Shown = bars_[0].HasStyle && client.bottom - client.top >= Thickness(false);
  if (bars_[0].Shown) client.bottom -= Thickness(false);
  bars_[1].Shown = bars_[1].HasStyle && client.right - client.left >= Thickness(true);
  if (bars_[1].Shown) (barsOnLeft_ ? client.left += Thickness(true) : client.right -= Thickness(true));
  return result;
}

RECT TorvScrollWnd::BarRect(bool vertical) const {
  RECT w;
  GetWindowRect(window_, &w);
  const int32_t width = w.right - w.left, height = w.bottom - w.top;
  const TorvScrollBar &h = bars_[0], &v = bars_[1];
  const int32_t hThick = h.Shown ? Thickness(false) : 0, vThick = v.Shown ? Thickness(true) : 0;
  if (!vertical) {
    if (!h.Shown) return {};
    RECT r = {edges_.left, height - edges_.bottom - hThick, width - edges_.right, height - edges_.bottom};
    (barsOnLeft_ ? r.left : r.right) += barsOnLeft_ ? vThick : -vThick;
    return r;
  }
  if (!v.Shown) return {};
  const LONG left = barsOnLeft_ ? edges_.left : width - edges_.right - vThick;
  return {left, edges_.top, left + vThick, height - edges_.bottom - hThick};
}

RECT TorvScrollWnd::SizeBoxRect() const {
  if (!bars_[0].Shown || !bars_[1].Shown) return {};
  const RECT h = BarRect(false), v = BarRect(true);
  return {v.left, h.top, v.right, h.bottom};
}

bool TorvScrollWnd::GripShown() const {
  // The grip belongs to a box in the bottom corner of a top-level window's client area.
  const HWND parent = GetParent(window_);
  if (!parent || GetParent(parent) || Empty(SizeBoxRect())) return false;
  RECT client, window;
  GetClientRect(parent, &client);
  GetWindowRect(window_, &window);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
  const RECT box = SizeBoxRect();
  const bool bottom = window.top + box.bottom + edges_.bottom == client.bottom;
  if (barsOnLeft_) return bottom && window.left + box.left - edges_.left == client.left;
  return bottom && window.left + box.right + edges_.right == client.right;
}

bool TorvScrollWnd::BarEnabled(bool vertical) const {
  if (Control() && !IsWindowEnabled(window_)) return false;
  SCROLLBARINFO info = {sizeof(info)};
  if (GetScrollBarInfo(window_, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info))
    return !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
  // Without the system's answer: a bar with somewhere to go.
  const SCROLLINFO& si = bars_[vertical].Info;
  return si.nMax > si.nMin && static_cast<int64_t>(si.nPage) <= int64_t(si.nMax) - si.nMin;
}

int32_t TorvScrollWnd::DrawnArrow(bool vertical) const {
  const TsSkinManager* m = data_->Manager();
  int32_t skinArrow = 0;
  if (m) {
    const TsCachedIndexes& c = m->ConstData();
    const TsPartIndexes& left = c.ScrollBtnLeft;
    if (m->Skin().ValidSection(left.Section) && m->Skin().gd[left.Section].ReservedBoolean &&
        m->Skin().ValidMask(left.BorderMask)) {
      const int32_t image = vertical ? c.ScrollBtnTop.BorderMask : left.BorderMask;
      if (m->Skin().ValidMask(image)) {
        const SIZE size = m->GetStateSize(image);
        skinArrow = vertical ? size.cy : size.cx;
      }
    }
  }
  return ScrollArrowLength(SystemArrow(), skinArrow);
}

bool TorvScrollWnd::ComposeBar(TsBitmap24& bar, bool vertical, int32_t draggedThumbStart) {
  const TsSkinManager* m = data_->Manager();
  const RECT r = BarRect(vertical);
  if (!m || Empty(r) || !CanPaintScrollBar(m->ConstData(), vertical)) return false;
  bar = TsBitmap24(r.right - r.left, r.bottom - r.top);
  TorvBarLook look;
  look.Vertical = vertical;
  look.Arrow = DrawnArrow(vertical);
  look.GlyphBox = SystemArrow();
  look.Info = InfoOf(bars_[vertical].Info);
  look.Enabled = BarEnabled(vertical);
  const bool pressedHere = g_bar.Window == window_ && g_bar.PressedBar == int32_t(vertical);
  const bool hotHere = g_bar.Window == window_ && g_bar.HotBar == int32_t(vertical) && look.Enabled;
  for (int i = 0; i < 2; ++i) {
    const TorvScrollPart arrow = i ? spLineDown : spLineUp;
    look.ArrowState[i] = pressedHere && g_bar.ShownPressed == arrow ? 2 : hotHere && g_bar.HotPart == arrow ? 1 : 0;
  }
  if (pressedHere && (g_bar.ShownPressed == spPageUp || g_bar.ShownPressed == spPageDown))
    look.PressedTrack = g_bar.ShownPressed;
  look.ThumbState = draggedThumbStart >= 0 ? 2 : hotHere && g_bar.HotPart == spThumb ? 1 : 0;
  look.DraggedThumbStart = draggedThumbStart;
  look.DisabledTowards = static_cast<TColor>(m->Skin().gd[m->ConstData().ScrollBar1H.Section].Color);
  const TCacheInfo bg = {&data_->CacheBitmap, r.left, r.top, !data_->CacheBitmap.Empty()};
  PaintScrollBar(bar, m->Skin(), m->ConstData(), look, bg);
  return true;
}

void TorvScrollWnd::PaintDraggedBar(bool vertical, int32_t thumbStart) {
  TsBitmap24 bar;
  if (!ComposeBar(bar, vertical, thumbStart)) return;
  const RECT r = BarRect(vertical);
  HDC dc = GetWindowDC(window_);
  CopyCacheToDC(bar, dc, r.left, r.top);
  ReleaseDC(window_, dc);
}

void TorvScrollWnd::ComposeSizeBox(TsBitmap24& box) {
  const RECT r = SizeBoxRect();
  box = TsBitmap24(r.right - r.left, r.bottom - r.top);
  const TsSkinManager* m = data_->Manager();
  if (!data_->CacheBitmap.Empty())
    skin::CopyRect(box, data_->CacheBitmap, 0, 0, {r.left, r.top, r.right, r.bottom});
  else if (m)
    FillRect24(box, {0, 0, box.Width(), box.Height()}, static_cast<TColor>(m->GetGlobalHotColor()));
  if (!m || !GripShown()) return;
  const int32_t grip = m->GetMaskIndex(m->ConstData().GlobalInfo, s_GlobalInfo, "GRIPIMAGE");
  if (!m->Skin().ValidMask(grip)) return;
  const TPoint size = StateSize(m->Skin().ma[grip]);
  PaintSkinGlyph(box, {box.Width() - size.X, box.Height() - size.Y}, 0, m->Skin().ma[grip], m->Skin().MasterBitmap);
}

bool TorvScrollWnd::CanPaintBars() {
  if (!Active() || tracking_ || data_->IsPaintSuspended()) return false;
  if (Control() && (!IsWindowVisible(window_) || Control()->IsDestroying())) return false;
  if (data_->CacheDirty) SendMessageW(window_, SM_SKINCMD, MakeSkinCmd(SKC_REBUILDCACHE), 0);
  return true;
}

void TorvScrollWnd::ComposeBars(TsBitmap24& window) {
  TsBitmap24 part;
  for (bool vertical : {false, true})
    if (ComposeBar(part, vertical, -1)) {
      const RECT r = BarRect(vertical);
      skin::CopyRect(window, part, r.left, r.top, {0, 0, part.Width(), part.Height()});
    }
  const RECT box = SizeBoxRect();
  if (Empty(box)) return;
  ComposeSizeBox(part);
  skin::CopyRect(window, part, box.left, box.top, {0, 0, part.Width(), part.Height()});
}

void TorvScrollWnd::PaintBars(HDC dc) {
  if (!CanPaintBars()) return;
  HDC own = nullptr;
  if (!dc) dc = own = GetWindowDC(window_);
  TsBitmap24 part;
  for (bool vertical : {false, true})
    if (ComposeBar(part, vertical, -1)) {
      const RECT r = BarRect(vertical);
      CopyCacheToDC(part, dc, r.left, r.top);
    }
  const RECT box = SizeBoxRect();
  if (!Empty(box)) {
    ComposeSizeBox(part);
    CopyCacheToDC(part, dc, box.left, box.top);
  }
  if (own) ReleaseDC(window_, own);
}

LRESULT TorvScrollWnd::HitTest(LPARAM lParam) {
  const POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  for (bool vertical : {false, true}) {
    const RECT r = WindowToScreen(window_, BarRect(vertical));
    if (!Empty(r) && PtInRect(&r, p)) return BarEnabled(vertical) ? (vertical ? HTVSCROLL : HTHSCROLL) : HTNOWHERE;
  }
  const RECT box = WindowToScreen(window_, SizeBoxRect());
  if (!Empty(box) && PtInRect(&box, p) && GripShown()) return barsOnLeft_ ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
  return Default(WM_NCHITTEST, 0, lParam);
}

int32_t TorvScrollWnd::Along(bool vertical, POINT screen) const {
  const RECT r = WindowToScreen(window_, BarRect(vertical));
  return vertical ? screen.y - r.top : screen.x - r.left;
}

void TorvScrollWnd::SendScroll(bool vertical, int32_t code, int32_t pos) {
  const UINT msg = vertical ? WM_VSCROLL : WM_HSCROLL;
  SendMessageW(window_, SM_SKINCMD, MakeSkinCmd(SKC_BEFORESCROLL), 0);
  busy_ = true;
  SendMessageW(window_, msg, MAKEWPARAM(code, pos), 0);
  busy_ = false;
  SendMessageW(window_, SM_SKINCMD, MakeSkinCmd(SKC_AFTERSCROLL), LPARAM(msg) * 65536 + code);
}

void TorvScrollWnd::Press(bool vertical, POINT screen) {
  Refresh(false);
  const RECT r = BarRect(vertical);
  const int32_t length = vertical ? r.bottom - r.top : r.right - r.left;
  const TorvScrollGeometry g = ScrollGeometry(length, SystemArrow(), InfoOf(bars_[vertical].Info));
  const TorvScrollPart part = ScrollPartAt(g, Along(vertical, screen));
  if (part == spNone || !BarEnabled(vertical)) return;
  g_bar.Window = window_;
  g_bar.PressedBar = vertical;
  g_bar.Pressed = part;
  SetCapture(window_);
  if (part == spThumb) {
    tracking_ = true;
    g_bar.ShownPressed = spNone;
    g_bar.Grab = Along(vertical, screen) - g.ThumbStart;
    g_bar.LastPos = bars_[vertical].Info.nPos;
    bars_[vertical].Info.nTrackPos = g_bar.LastPos;
    PaintDraggedBar(vertical, g.ThumbStart);
    return;
  }
  g_bar.ShownPressed = part;
  PaintBars(nullptr);
  SendScroll(vertical, part, 0);
  SetTimer(window_, kFirstRepeatTimer, kFirstRepeatDelay, nullptr);
}

void TorvScrollWnd::FollowPointer(POINT screen) {
  const bool vertical = g_bar.PressedBar == 1;
  const RECT r = BarRect(vertical);
  const int32_t length = vertical ? r.bottom - r.top : r.right - r.left;
  const TorvScrollInfo info = InfoOf(bars_[vertical].Info);
  const TorvScrollGeometry g = ScrollGeometry(length, SystemArrow(), info);
  if (tracking_) {
    const TorvThumbDrag drag = DragThumb(g, info, Along(vertical, screen), g_bar.Grab);
    PaintDraggedBar(vertical, drag.ThumbStart);
    if (drag.Position != g_bar.LastPos) {
      bars_[vertical].Info.nTrackPos = drag.Position;
      g_bar.LastPos = drag.Position;
      SendScroll(vertical, SB_THUMBTRACK, drag.Position);
    }
    return;
  }
  const RECT screenRect = WindowToScreen(window_, r);
  const bool inside = PtInRect(&screenRect, screen) != FALSE;
  const TorvScrollPart under = inside ? ScrollPartAt(g, Along(vertical, screen)) : spNone;
  const TorvScrollPart shown = under == g_bar.Pressed ? g_bar.Pressed : spNone;
  if (shown != g_bar.ShownPressed) {
    g_bar.ShownPressed = shown;
    PaintBars(nullptr);
  }
}

void TorvScrollWnd::Release() {
  const bool vertical = g_bar.PressedBar == 1;
  KillTimer(window_, kFirstRepeatTimer);
  KillTimer(window_, kRepeatTimer);
  const bool dragged = tracking_;
  const int32_t last = g_bar.LastPos;
  tracking_ = false;
  g_bar.PressedBar = -1;
  g_bar.Pressed = g_bar.ShownPressed = spNone;
  if (GetCapture() == window_) ReleaseCapture();
  if (dragged) SendScroll(vertical, SB_THUMBPOSITION, last);
  SendScroll(vertical, SB_ENDSCROLL, 0);
  Refresh(true);
}

void TorvScrollWnd::HoverTick() {
  if (tracking_) return;
  POINT p;
  GetCursorPos(&p);
  if (g_bar.Window == window_ && g_bar.HotBar >= 0 && PtInRect(&g_bar.HotRect, p)) {
    const bool vertical = g_bar.HotBar == 1;
    const RECT r = BarRect(vertical);
    const int32_t length = vertical ? r.bottom - r.top : r.right - r.left;
    const TorvScrollPart part =
        ScrollPartAt(ScrollGeometry(length, SystemArrow(), InfoOf(bars_[vertical].Info)), Along(vertical, p));
    if (part != g_bar.HotPart) {
      g_bar.HotPart = part;
      PaintBars(nullptr);
    }
    return;
  }
  KillTimer(window_, kHoverTimer);
  if (g_bar.Window == window_) {
    g_bar.HotBar = -1;
    g_bar.HotPart = spNone;
  }
  PaintBars(nullptr);
}

void TorvScrollWnd::Timer(UINT_PTR id) {
  switch (id) {
    case kHoverTimer:
      HoverTick();
      break;
    case kFirstRepeatTimer:
      KillTimer(window_, kFirstRepeatTimer);
      SetTimer(window_, kRepeatTimer, kRepeatInterval, nullptr);
      break;
    case kRepeatTimer: {
      if (g_bar.Window != window_ || g_bar.PressedBar < 0) {
        KillTimer(window_, kRepeatTimer);
        break;
      }
      // A release nobody told the window about (the press ended elsewhere)
      // ends the interaction as the release would.
      const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
      if (GetAsyncKeyState(button) >= 0) {
        Release();
        break;
      }
      POINT p;
      GetCursorPos(&p);
      Refresh(false);
      FollowPointer(p);
      if (g_bar.ShownPressed != spNone) SendScroll(g_bar.PressedBar == 1, g_bar.ShownPressed, 0);
      break;
    }
    default:
      break;
  }
}

LRESULT TorvScrollWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCALCSIZE:
      return CalcSize(wParam, lParam);
    case WM_NCPAINT: {
      if (!IsWindowVisible(window_) || data_->IsPaintSuspended()) break;
      // The system's frame first, the skin's bars over it.
      const LRESULT result = Default(msg, wParam, lParam);
      PaintBars(nullptr);
      return result;
    }
    case WM_NCHITTEST:
      return HitTest(lParam);
    case WM_NCMOUSEMOVE: {
      const int32_t bar = wParam == HTVSCROLL ? 1 : wParam == HTHSCROLL ? 0 : -1;
      if (bar >= 0 && (g_bar.Window != window_ || g_bar.HotBar != bar)) {
        g_bar.Window = window_;
        g_bar.HotBar = bar;
        g_bar.HotPart = spNone;
        g_bar.HotRect = WindowToScreen(window_, BarRect(bar == 1));
        SetTimer(window_, kHoverTimer, kHoverInterval, nullptr);
        PaintBars(nullptr);
      }
      break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTHSCROLL || wParam == HTVSCROLL) {
        Press(wParam == HTVSCROLL, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      }
      break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (wParam == HTHSCROLL || wParam == HTVSCROLL) return 0;
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_VSCROLL || (wParam & 0xFFF0) == SC_HSCROLL) return 0;
      break;
    case WM_MOUSEMOVE:
      if (g_bar.Window == window_ && g_bar.PressedBar >= 0) {
        POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window_, &p);
        FollowPointer(p);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (g_bar.Window == window_ && g_bar.PressedBar >= 0) Release();
      break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      // Another window took the mouse: the press ends where it stands.
      if (g_bar.Window == window_ && g_bar.PressedBar >= 0 && reinterpret_cast<HWND>(lParam) != window_) Release();
      break;
    case WM_TIMER:
      if (wParam == kHoverTimer || wParam == kFirstRepeatTimer || wParam == kRepeatTimer) {
        Timer(wParam);
        if (!tracking_) Refresh(true);
        return 0;
      }
      break;
    case WM_STYLECHANGED:
      if (styleGuard_) return 0;
      if (wParam == static_cast<WPARAM>(GWL_EXSTYLE))
        barsOnLeft_ = (reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
      break;
    case WM_STYLECHANGING:
      if (styleGuard_) return 0;
      break;
    case WM_MOUSEWHEEL:
    case tk::CM_MOUSEWHEEL:
    case tk::CM_FOCUSCHANGED: {
      const LRESULT result = TorvMainWnd::Handle(msg, wParam, lParam);
      Refresh(true);
      return result;
    }
    default:
      break;
  }
  return TorvMainWnd::Handle(msg, wParam, lParam);
}

}  // namespace skin
