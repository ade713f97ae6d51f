// The skinned frame of a form: its picture built off screen and copied to
// the window in one piece, the window's shape, hit codes, caption-button
// presses, the maximised size and snapping to the work area.
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <utility>

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

// The caption in the form's font, bold, at the height of the system's
// caption font; made again only when one of them changed.
HFONT TsSkinProvider::CaptionFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW lf{};
  GetObjectW(form_->Font().Handle(), sizeof lf, &lf);
  lf.lfHeight = metrics.lfCaptionFont.lfHeight;
  lf.lfWeight = FW_BOLD;
  if (!captionFont_ || std::memcmp(&lf, &captionLogFont_, sizeof lf) != 0) {
    captionFont_.reset(CreateFontIndirectW(&lf));
    captionLogFont_ = lf;
  }
  return captionFont_.get();
}

// The picture's size: the window's, at least a pixel each way.
SIZE TsSkinProvider::PictureSize() const {
  const RECT r = WindowRectOf(form_->Handle());
  return {std::max<LONG>(1, r.right - r.left), std::max<LONG>(1, r.bottom - r.top)};
}

bool TsSkinProvider::FrameCurrent() const {
  const TsBitmap24& cache = SkinData.CacheBitmap;
  if (SkinData.CacheDirty || cache.Empty()) return false;
  const SIZE size = PictureSize();
  return cache.Width() == size.cx && cache.Height() == size.cy && form_->WindowState() == pictureState_ &&
         Layout() == pictureLayout_;
}

void TsSkinProvider::RebuildFrame() {
  otherActivation_.Valid = false;
  const SIZE size = PictureSize();
  TsBitmap24& cache = SkinData.CacheBitmap;
  if (cache.Width() != size.cx || cache.Height() != size.cy) cache.SetSize(size.cx, size.cy);
  const TFrameLayout f = Layout();
  pictureLayout_ = f;
  pictureState_ = form_->WindowState();
  PaintFramePicture(cache, titleBackground_, SkinData.Skin(), f, Look());
  PaintMenuLine();
  for (size_t i = 0; i < f.TitleButtons.size(); ++i) DrawButton(f, fhTitleButton + static_cast<int32_t>(i));
  PaintCaption(CaptionFont());
  SkinData.CacheDirty = false;
}

// A gradient or picture in the form's section is laid over the whole window.
bool TsSkinProvider::BackgroundFollowsSize() const {
  const TsSkinTables& t = SkinData.Skin();
  if (!t.ValidSection(SkinData.SectionIndex)) return false;
  const TsGeneralData& g = t.gd[SkinData.SectionIndex];
  return g.GradientPercent + g.ImagePercent > 0;
}

std::vector<int32_t> TsSkinProvider::AllButtonStates() {
  std::vector<int32_t> states(std::begin(states_), std::end(states_));
  for (size_t i = 0; i < TitleButtons.Count(); ++i) states.push_back(TitleButtons.Items(i).State);
  return states;
}

// Activation changes only the look of the frame: the picture of the state
// left is kept, and a switch back takes it instead of painting anew, unless
// the window's size or a button's state changed meanwhile (any other change
// marks the frame dirty, which drops the kept picture).
void TsSkinProvider::SwitchActivation(bool active) {
  if (active == active_) return;
  TsBitmap24& cache = SkinData.CacheBitmap;
  if (SkinData.CacheDirty || cache.Empty()) {
    active_ = active;
    SkinData.CacheDirty = true;
    otherActivation_.Valid = false;
    return;
  }
  // Pictures are handed over whole; one left behind is empty, not half moved.
  TFramePicture left{std::exchange(cache, TsBitmap24{}), std::exchange(titleBackground_, TsBitmap24{}), active_,
                     AllButtonStates(), true};
  TFramePicture& kept = otherActivation_;
  active_ = active;
  const bool reuse = kept.Valid && kept.Active == active && kept.ButtonStates == left.ButtonStates &&
                     kept.Picture.Width() == left.Picture.Width() && kept.Picture.Height() == left.Picture.Height();
  if (reuse) {
    cache = std::exchange(kept.Picture, TsBitmap24{});
    titleBackground_ = std::exchange(kept.TitleBackground, TsBitmap24{});
  } else {
    RebuildFrame();
  }
  kept = std::move(left);
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
  // Windows, Wine: a new size may be painted before WM_SIZE arrives: the
  // picture is checked against the window as it is now.
  if (!FrameCurrent()) RebuildFrame();
  // The form's own scroll bars are their skinner's to paint.
  std::vector<RECT> bars;
  if (scrollSkinner_ && !scrollSkinner_->Destroyed())
    bars = {scrollSkinner_->BarRect(false), scrollSkinner_->BarRect(true), scrollSkinner_->SizeBoxRect()};
  CopyFrameToWindow(h, SkinData.CacheBitmap, bars);
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
      SwitchActivation(m.wParam != 0);
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
      return true;
    }
    case WM_SIZE:
      result = next(m);
      // The shape follows the size; a size message without a new size
      // (a frame change) keeps the shape it has.
      ApplyRegion();
      if (IsWindowVisible(h)) {
        // The frame is painted again only when the picture on the screen is
        // not the one for this size and state already; the client's
        // background is repainted whole when the section's picture
        // stretches with the window.
        if (!FrameCurrent()) NcPaint();
        if (BackgroundFollowsSize()) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
      }
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
      if (!FrameCurrent()) RebuildFrame();
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
