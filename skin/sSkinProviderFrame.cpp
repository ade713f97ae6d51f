// The skinned frame of a form: its picture built off screen and copied to
// the window in one piece, the window's shape, hit codes, caption-button
// presses, the maximised size and snapping to the work area.
#include <windowsx.h>

#include <algorithm>

#include "base/WinGdiObject.h"
#include "skin/sConst.h"
#include "skin/sFrameSkin.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinMenus.h"
#include "skin/sSkinProps.h"
#include "skin/sSkinProvider.h"
#include "toolkit/Messages.h"
#include "toolkit/WinText.h"

namespace skin {

namespace {

bool IsToolBorder(tk::TFormBorderStyle b) {
  using tk::TFormBorderStyle;
  return b == TFormBorderStyle::bsNone || b == TFormBorderStyle::bsDialog || b == TFormBorderStyle::bsToolWindow;
}

}  // namespace

TSystemFrameSizes TsSkinProvider::Sizes() const { return SystemFrameSizes(measured_); }

TFrameLayout TsSkinProvider::Layout() const {
  TFrameInput in;
  in.Border = static_cast<TFrameBorder>(form_->BorderStyle());
  in.Icons = form_->BorderIcons();
  in.State = static_cast<TFrameState>(form_->WindowState());
  in.ShowAppIcon = ShowAppIcon;
  int32_t imageWidth = 0, imageHeight = 0;
  if (SkinData.IsSkinned()) SkinData.Skin().GetStateSize(TitleButtonImage(), imageWidth, imageHeight);
  in.TitleButtonWidths = TitleButtons.Widths(imageWidth);
  if (form_->HandleAllocated()) {
    const RECT r = WindowRectOf(form_->Handle());
    in.WindowWidth = r.right - r.left;
    in.WindowHeight = r.bottom - r.top;
    in.HasCaptionStyle = (GetWindowLongW(form_->Handle(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    in.CloseDisabled = !WindowOffersClose(form_->Handle());
  }
  const TFrameLook look = Look();
  if (SkinData.IsSkinned()) {
    int32_t w = 0, h = 0;
    SkinData.Skin().GetStateSize(look.ButtonImages[cbClose], w, h);
    in.ButtonWidth = w;
    in.ButtonHeight = h;
  }
  TSystemFrameSizes sizes = Sizes();
  if (!SystemMenuBar().Empty()) {
    in.MenuLines = MenuRows();
    // The top the system measured holds caption and menu rows: the caption
    // is the system's own.
    const TSystemFrameSizes metrics = SystemFrameSizes({-1, -1, -1, -1});
    sizes.Caption = metrics.Caption;
    sizes.SmallCaption = metrics.SmallCaption;
  }
  return LayoutFrame(in, sizes);
}

TFrameLook TsSkinProvider::Look() const {
  if (!SkinData.IsSkinned()) {
    TFrameLook look;
    look.Active = active_;
    std::copy(std::begin(states_), std::end(states_), look.ButtonStates);
    return look;
  }
  TFrameLookInput in;
  in.FrameSection = SkinData.SectionIndex;
  in.FrameSectionName = SkinData.SkinSection();
  in.TitleSkin = TitleSkin;
  // Small images for forms with small or no captions, when the skin has them.
  in.SmallButtons = IsToolBorder(form_->BorderStyle());
  in.State = static_cast<TFrameState>(form_->WindowState());
  in.Active = active_;
  in.ButtonStates = states_;
  return FrameLookOf(SkinData.Skin(), in);
}

void TsSkinProvider::PaintCaption(HFONT font) {
  // The form's own icon, else the program's.
  HICON icon = form_->Icon();
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(form_->Handle(), WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(form_->Handle(), GCLP_HICONSM));
  if (!icon) icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  PaintFrameCaption(SkinData.CacheBitmap, Layout(), form_->Handle(), icon, font, SkinData.Skin(), Look(),
                    AlignmentFlag(CaptionAlignment));
}

void TsSkinProvider::RebuildFrame() {
  const RECT r = WindowRectOf(form_->Handle());
  const int32_t w = std::max<LONG>(1, r.right - r.left), h = std::max<LONG>(1, r.bottom - r.top);
  TsBitmap24& cache = SkinData.CacheBitmap;
  if (cache.Width() != w || cache.Height() != h) cache.SetSize(w, h);
  const TFrameLayout f = Layout();
  PaintFramePicture(cache, titleBackground_, SkinData.Skin(), f, Look());
  PaintMenuLine();
  for (size_t i = 0; i < f.TitleButtons.size(); ++i) DrawButton(f, fhTitleButton + static_cast<int32_t>(i));
  // The caption in the form's font, bold, at the height of the system's
  // caption font.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW lf{};
  GetObjectW(form_->Font().Handle(), sizeof lf, &lf);
  lf.lfHeight = metrics.lfCaptionFont.lfHeight;
  lf.lfWeight = FW_BOLD;
  const base::GdiObject<HFONT> font(CreateFontIndirectW(&lf));
  PaintCaption(font.get());
  SkinData.CacheDirty = false;
}

void TsSkinProvider::PaintFrameInto(TsBitmap24& picture) {
  if (!Skinned() || !form_->HandleAllocated()) return;
  RebuildFrame();
  const TsBitmap24& cache = SkinData.CacheBitmap;
  const RECT c = ClientInWindow(form_->Handle());
  for (int32_t y = 0; y < std::min(cache.Height(), picture.Height()); ++y)
    for (int32_t x = 0; x < std::min(cache.Width(), picture.Width()); ++x)
      if (!PtInRect(&c, {x, y})) picture.SetPixel(x, y, cache.Pixel(x, y));
}

// One copy of the finished picture, the client area left out.
void TsSkinProvider::NcPaint() {
  const HWND h = form_->Handle();
  if (SkinData.CacheDirty || SkinData.CacheBitmap.Empty()) RebuildFrame();
  CopyFrameToWindow(h, SkinData.CacheBitmap);
}

void TsSkinProvider::UpdateFrame() {
  SkinData.CacheDirty = true;
  regionSize_ = {-1, -1};
  ApplyRegion();
}

void TsSkinProvider::ApplyRegion() {
  if (changingRegion_ || !Skinned() || !form_->HandleAllocated()) return;
  const HWND h = form_->Handle();
  const RECT r = WindowRectOf(h);
  const SIZE size{r.right - r.left, r.bottom - r.top};
  if (size.cx == regionSize_.cx && size.cy == regionSize_.cy) return;
  regionSize_ = size;
  changingRegion_ = true;
  ShapeFrameWindow(h, SkinData.Skin(), Layout(), Look());
  changingRegion_ = false;
}

int32_t* TsSkinProvider::StateOf(int32_t hit) {
  if (const int32_t b = ButtonOfHit(hit); b != kNoButton) return &states_[b];
  const int32_t i = hit - fhTitleButton;
  if (i >= 0 && static_cast<size_t>(i) < TitleButtons.Count()) return &TitleButtons.Items(static_cast<size_t>(i)).State;
  return nullptr;
}

int32_t TsSkinProvider::TitleButtonImage() const {
  const TsSkinTables& t = SkinData.Skin();
  const int32_t global = t.GetMaskIndexExact(s_GlobalInfo, "TITLEBUTTON");
  return global >= 0 ? global : t.GetMaskIndexExact(SkinData.SkinSection(), "TITLEBUTTON");
}

// Draws one button into the frame picture: from the saved title strip, so
// that the button alone changes.
void TsSkinProvider::DrawButton(const TFrameLayout& f, int32_t hit) {
  const TsSkinTables& t = SkinData.Skin();
  if (const int32_t b = ButtonOfHit(hit); b != kNoButton) {
    PaintCaptionButton(SkinData.CacheBitmap, titleBackground_, t, f, Look(), static_cast<TCaptionButton>(b));
    return;
  }
  const size_t i = static_cast<size_t>(hit - fhTitleButton);
  if (i >= f.TitleButtons.size() || i >= TitleButtons.Count()) return;
  const TsTitleButton& button = TitleButtons.Items(i);
  PaintTitleButton(SkinData.CacheBitmap, titleBackground_, t, f.TitleButtons[i],
                   button.UseSkinData ? TitleButtonImage() : -1, button.Glyph, button.State);
}

void TsSkinProvider::RepaintButton(int32_t hit) {
  if (!Skinned() || !form_->HandleAllocated()) return;
  if (SkinData.CacheDirty || titleBackground_.Empty()) {
    NcPaint();
    return;
  }
  const TFrameLayout f = Layout();
  DrawButton(f, hit);
  const int32_t b = ButtonOfHit(hit);
  const size_t i = static_cast<size_t>(hit - fhTitleButton);
  const TFrameRect r = b != kNoButton ? f.Buttons[b] : i < f.TitleButtons.size() ? f.TitleButtons[i] : TFrameRect{};
  CopyFramePartToWindow(form_->Handle(), SkinData.CacheBitmap, r);
}

void TsSkinProvider::SetButtonState(int32_t hit, int32_t state) {
  int32_t* current = StateOf(hit);
  if (!current || *current == state) return;
  *current = state;
  RepaintButton(hit);
}

// The button under the cursor shows hot, the others normal; a disabled
// button does not light up.
void TsSkinProvider::SetHot(int32_t hit) {
  const TFrameLayout f = Layout();
  for (int b = cbClose; b < cbCount; ++b)
    if (kHitCodes[b] != press_.Held()) SetButtonState(kHitCodes[b], kHitCodes[b] == hit && f.Enabled[b] ? bsHot : bsNormal);
  for (size_t i = 0; i < TitleButtons.Count(); ++i) {
    const int32_t code = fhTitleButton + static_cast<int32_t>(i);
    if (code != press_.Held()) SetButtonState(code, code == hit && TitleButtons.Items(i).Enabled ? bsHot : bsNormal);
  }
}

void TsSkinProvider::ButtonAction(int32_t hit, POINT at) {
  const HWND h = form_->Handle();
  const bool mainForm = tk::Application && tk::Application->MainForm() == form_;
  // The main form owns the taskbar button: its minimise button minimises.
  if (SendCaptionButtonCommand(h, hit, !mainForm)) return;
  const size_t i = static_cast<size_t>(hit - fhTitleButton);
  if (i < TitleButtons.Count() && TitleButtons.Items(i).OnMouseUp) TitleButtons.Items(i).OnMouseUp(i, at.x, at.y);
}

void TsSkinProvider::ShowSystemMenu(int x, int y) {
  TsSkinManager* manager = SkinData.Manager();
  systemMenu_->Refresh(manager);
  // Refreshing makes the skin items anew: the painter gives them its
  // handlers each time the menu opens.
  if (manager) manager->SkinableMenus().SetMenuOwnerDraw(systemMenu_.get(), manager->SkinableMenus().Active());
  systemMenu_->Popup(x, y);
}

LRESULT TsSkinProvider::WithoutSystemFrame(const tk::TMessage& m, const tk::TMessageHandler& next) {
  LRESULT r;
  {
    const TSystemFrameOff off(form_->Handle());
    r = next(m);
  }
  SkinData.CacheDirty = true;
  NcPaint();
  return r;
}

bool TsSkinProvider::MouseMessage(const tk::TMessage& m, const tk::TMessageHandler& next, LRESULT& result) {
  const HWND h = form_->Handle();
  const int32_t hit = static_cast<int32_t>(m.wParam);
  const POINT screen{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
  const RECT w = WindowRectOf(h);
  const TFrameLayout f = Layout();
  result = 0;
  switch (m.msg) {
    case WM_NCMOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE | TME_NONCLIENT, h, 0};
        tracking_ = TrackMouseEvent(&t) != FALSE;
      }
      if (press_.Held() == fhNowhere) SetHot(hit);
      result = next(m);
      return true;
    case WM_NCMOUSELEAVE:
      tracking_ = false;
      if (press_.Held() == fhNowhere) SetHot(fhNowhere);
      return true;
    case WM_NCLBUTTONDOWN: {
      if (StateOf(hit)) {
        if (!press_.Begin(h, hit)) return true;
        const size_t i = static_cast<size_t>(hit - fhTitleButton);
        if (i < TitleButtons.Count() && TitleButtons.Items(i).OnMouseDown)
          TitleButtons.Items(i).OnMouseDown(i, screen.x, screen.y);
        return true;
      }
      if (hit == HTSYSMENU) {
        ShowSystemMenu(w.left + f.Icon.Left, w.top + f.Icon.Bottom);
        return true;
      }
      return false;
    }
    case WM_NCLBUTTONDBLCLK:
      if (hit == HTSYSMENU) {
        if (f.Enabled[cbClose]) SendMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
      }
      if (hit == HTCAPTION) {
        if (f.Enabled[cbMaximize] && f.Shown[cbMaximize])
          SendMessageW(h, WM_SYSCOMMAND, IsZoomed(h) ? SC_RESTORE : SC_MAXIMIZE, 0);
        return true;
      }
      return StateOf(hit) != nullptr;  // a quick second click on a button is no double click
    case WM_NCRBUTTONDOWN:
      // The release opens the menu; the system would start its own.
      return (hit == HTCAPTION || hit == HTSYSMENU) && SkinData.Manager() && SkinData.Manager()->SkinnedPopups();
    case WM_NCRBUTTONUP:
      if (hit != HTCAPTION && hit != HTSYSMENU) return false;
      ShowSystemMenu(screen.x, screen.y);
      return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      return press_.Follow(h, m.msg, m.lParam);
    case tk::CM_CANCELMODE:
      return press_.Follow(h, WM_CANCELMODE, m.lParam);
    default:
      return false;
  }
}

bool TsSkinProvider::FrameMessage(const tk::TMessage& m, const tk::TMessageHandler& next, LRESULT& result) {
  const HWND h = form_->Handle();
  switch (m.msg) {
    case WM_NCPAINT:
      // While painting is suspended nothing is drawn: neither we nor the system.
      if (!SkinData.PaintSuspended && !SkinDataChanging() && IsWindowVisible(h)) NcPaint();
      result = 0;
      return true;
    case WM_NCACTIVATE:
      active_ = m.wParam != 0;
      SkinData.CacheDirty = true;
      // Windows, Wine: lParam -1 lets the system record the state without
      // drawing its caption.
      result = next({m.msg, m.wParam, -1});
      if (IsWindowVisible(h)) NcPaint();
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      result = WithoutSystemFrame(m, next);
      return true;
    case WM_NCHITTEST: {
      const RECT w = WindowRectOf(h);
      const int32_t hit = FrameHitTest(Layout(), GET_X_LPARAM(m.lParam) - w.left, GET_Y_LPARAM(m.lParam) - w.top);
      result = hit == fhClient ? next(m) : hit;
      return true;
    }
    case WM_NCCALCSIZE: {
      RECT window = m.wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(m.lParam)->rgrc[0] : *reinterpret_cast<RECT*>(m.lParam);
      result = next(m);
      const RECT client =
          m.wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(m.lParam)->rgrc[0] : *reinterpret_cast<RECT*>(m.lParam);
      if (!IsIconic(h) && client.right > client.left)
        measured_ = {client.left - window.left, client.top - window.top, window.right - client.right,
                     window.bottom - client.bottom};
      // The menu may have changed its rows without the window changing size.
      SkinData.CacheDirty = true;
      return true;
    }
    case WM_SIZE:
      result = next(m);
      UpdateFrame();
      if (IsWindowVisible(h)) RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
      return true;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(m.lParam);
      info->ptMaxPosition = {-1, -1};
      info->ptMaxSize = {-1, -1};
      result = next(m);
      MONITORINFO mi{sizeof mi};
      GetMonitorInfoW(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &mi);
      const RECT& work = mi.rcWork;
      const int32_t side = Layout().SideBorder;
      if (info->ptMaxSize.x == -1) info->ptMaxSize.x = work.right - work.left + 2 * side;
      if (info->ptMaxSize.y == -1) info->ptMaxSize.y = work.bottom - work.top + 2 * side;
      // The position is relative to the monitor.
      if (info->ptMaxPosition.x == -1) info->ptMaxPosition.x = work.left - mi.rcMonitor.left - side;
      if (info->ptMaxPosition.y == -1) info->ptMaxPosition.y = work.top - mi.rcMonitor.top - side;
      return true;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(m.lParam);
      const RECT now = WindowRectOf(h);
      // Only a move snaps, and only on the monitor the form is going to.
      const bool moving = !(pos->flags & SWP_NOMOVE) && (pos->x != now.left || pos->y != now.top);
      if (ScreenSnap && moving && !IsZoomed(h)) {
        const RECT target{pos->x, pos->y, pos->x + (now.right - now.left), pos->y + (now.bottom - now.top)};
        MONITORINFO mi{sizeof mi};
        GetMonitorInfoW(MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST), &mi);
        TSnapInput in{pos->x, pos->y, target.right - target.left, target.bottom - target.top,
                      {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom}, SnapBuffer};
        int32_t x = 0, y = 0;
        SnapToWorkArea(in, x, y);
        pos->x = x;
        pos->y = y;
      }
      return false;
    }
    case WM_SYSCOMMAND:
      // A window that offers no Close is not closed by Alt+F4 either.
      if ((m.wParam & 0xFFF0) == SC_CLOSE && !WindowOffersClose(h)) {
        result = 0;
        return true;
      }
      // Alt+Space opens our menu; the system's has nothing to show.
      if ((m.wParam & 0xFFF0) == SC_KEYMENU && m.lParam == ' ') {
        const TFrameLayout f = Layout();
        const RECT w = WindowRectOf(h);
        ShowSystemMenu(w.left + f.Icon.Left, w.top + f.Icon.Bottom);
        result = 0;
        return true;
      }
      return false;
    case tk::CM_PAINTBACKGROUND: {
      if (SkinData.CacheDirty || SkinData.CacheBitmap.Empty()) RebuildFrame();
      POINT client{0, 0};
      ClientToScreen(h, &client);
      const RECT w = WindowRectOf(h);
      CopyCacheToDC(SkinData.CacheBitmap, reinterpret_cast<HDC>(m.wParam), w.left - client.x, w.top - client.y);
      result = 1;
      return true;
    }
    default:
      return MouseMessage(m, next, result);
  }
}

LRESULT TsSkinProvider::Hook(const tk::TMessage& m, const tk::TMessageHandler& next) {
  if (IsDestroying() || form_->IsDestroying()) return next(m);
  if (m.msg == SM_SKINCMD) return SkinCommand(m, next);
  if (m.msg == WM_CREATE) {
    const LRESULT r = next(m);
    if (Skinned()) ApplySkin();
    return r;
  }
  if (!Skinned() || !form_->HandleAllocated()) return next(m);
  LRESULT result = 0;
  if (FrameMessage(m, next, result)) return result;
  return next(m);
}

}  // namespace skin
