#include "skin/orvDialogWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinMenus.h"
#include "skin/sSkinState.h"

namespace skin {

namespace {

// Drags the window by its caption (SC_MOVE with the caption's hit code).
constexpr WPARAM kCaptionDrag = 0xF012;
// Asks a dialog to skin the children it has made since (sent by whoever
// made them; the dialog's own handling runs first).
constexpr UINT kSkinNewChildren = 0x52E;
constexpr uint16_t kSkcRescanChildren = 28;

TFrameState StateOf(HWND h) {
  if (IsIconic(h)) return TFrameState::Minimized;
  return IsZoomed(h) ? TFrameState::Maximized : TFrameState::Normal;
}

// WM_SETREDRAW off for the scope: the window's own handling draws nothing.
class TRedrawOff {
public:
  explicit TRedrawOff(HWND h) : h_(h), visible_(IsWindowVisible(h) != FALSE) {
    if (visible_) SendMessageW(h_, WM_SETREDRAW, FALSE, 0);
  }
  ~TRedrawOff() {
    if (visible_) SendMessageW(h_, WM_SETREDRAW, TRUE, 0);
  }
  TRedrawOff(const TRedrawOff&) = delete;
  TRedrawOff& operator=(const TRedrawOff&) = delete;

private:
  HWND h_;
  bool visible_;
};

}  // namespace

TorvDialogWnd::TorvDialogWnd(HWND window, TsCommonData* data, const std::string& section)
    : TorvMainWnd(window, data, section),
      press_({[this] { return Layout(); }, [this](int32_t hit, int32_t state) { SetButtonState(hit, state); },
              [this](int32_t hit, POINT) { SendCaptionButtonCommand(window_, hit, true); }}),
      menu_(std::make_unique<TorvSystemMenu>(window)) {}

// Detached here, while RemoveSkin is still this class's.
TorvDialogWnd::~TorvDialogWnd() { Detach(); }

void TorvDialogWnd::Prepare(uint8_t dialogKind, std::function<void()> rescan) {
  kind_ = dialogKind;
  rescan_ = std::move(rescan);
  if (kind_ == dkColorMatrix) data_->SetSkinSection(s_Form);
  style_ = GetWindowLongW(window_, GWL_STYLE);
  exStyle_ = GetWindowLongW(window_, GWL_EXSTYLE);
  // Read before WS_SYSMENU goes: without it the system menu is gone too.
  TDialogCloseInput close;
  close.HadSystemMenu = (style_ & WS_SYSMENU) != 0;
  close.MenuCloseEnabled = SystemMenuCloseEnabled(window_);
  close.ClassNoClose = (GetClassLongW(window_, GCL_STYLE) & CS_NOCLOSE) != 0;
  close.HasCancel = GetDlgItem(window_, IDCANCEL) != nullptr;
  close.HasYesOrAbort = GetDlgItem(window_, IDYES) || GetDlgItem(window_, IDABORT);
  closeEnabled_ = DialogCloseEnabled(close);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  captionFont_.reset(CreateFontIndirectW(&metrics.lfCaptionFont));
  HICON icon = reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_BIG, 0));
  if (icon) {
    icon_.reset(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), 0)));
    if (!icon_) icon_.reset(CopyIcon(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION))));
  }
  prepared_ = true;
}

TFrameLayout TorvDialogWnd::Layout() const {
  TFrameInput in;
  in.Border = DialogBorder(static_cast<uint32_t>(style_));
  in.Icons = DialogIcons(static_cast<uint32_t>(style_), static_cast<uint32_t>(exStyle_));
  in.State = StateOf(window_);
  in.ShowAppIcon = static_cast<bool>(icon_);
  in.CloseDisabled = !closeEnabled_;
  const RECT r = WindowRectOf(window_);
  in.WindowWidth = r.right - r.left;
  in.WindowHeight = r.bottom - r.top;
  in.HasCaptionStyle = (style_ & WS_CAPTION) == WS_CAPTION;
  if (data_->IsSkinned()) {
    const SIZE s = data_->Manager()->GetStateSize(Look().ButtonImages[cbClose]);
    in.ButtonWidth = s.cx;
    in.ButtonHeight = s.cy;
  }
  // The edges the system gave the dialog.
  const RECT c = ClientInWindow(window_);
  const RECT measured{c.left, c.top, in.WindowWidth - c.right, in.WindowHeight - c.bottom};
  return LayoutFrame(in, SystemFrameSizes(measured));
}

TFrameLook TorvDialogWnd::Look() const {
  TFrameLookInput in;
  in.FrameSection = data_->SectionIndex;
  in.FrameSectionName = data_->SkinSection();
  const TFrameBorder border = DialogBorder(static_cast<uint32_t>(style_));
  in.SmallButtons = border != TFrameBorder::Single && border != TFrameBorder::Sizeable;
  in.State = StateOf(window_);
  in.Active = active_;
  in.ButtonStates = states_;
  TFrameLook look = FrameLookOf(data_->Skin(), in);
  // The title-bar piece only behind a dialog that had a system menu.
  if (!(style_ & WS_SYSMENU)) look.TitleBarImage = -1;
  return look;
}

void TorvDialogWnd::Rebuild() {
  const RECT r = WindowRectOf(window_);
  const int32_t w = std::max<LONG>(1, r.right - r.left), h = std::max<LONG>(1, r.bottom - r.top);
  TsBitmap24& cache = data_->CacheBitmap;
  if (cache.Width() != w || cache.Height() != h) cache.SetSize(w, h);
  const TFrameLayout f = Layout();
  const TFrameLook look = Look();
  PaintFramePicture(cache, titleBackground_, data_->Skin(), f, look);
  PaintFrameCaption(cache, f, window_, icon_.get(), captionFont_.get(), data_->Skin(), look, DT_LEFT);
  data_->CacheDirty = false;
}

const TsBitmap24& TorvDialogWnd::Picture() {
  if (data_->CacheDirty || data_->CacheBitmap.Empty()) Rebuild();
  return data_->CacheBitmap;
}

void TorvDialogWnd::NcPaint() {
  if (data_->PaintSuspended || SkinDataChanging() || !IsWindowVisible(window_)) return;
  CopyFrameToWindow(window_, Picture());
}

void TorvDialogWnd::PaintClient(HDC dc) {
  const RECT c = ClientInWindow(window_);
  CopyCacheToDC(Picture(), dc, -c.left, -c.top);
}

HBRUSH TorvDialogWnd::BrushOf(COLORREF color) {
  auto it = brushes_.find(color);
  if (it == brushes_.end()) it = brushes_.emplace(color, base::GdiObject<HBRUSH>(CreateSolidBrush(color))).first;
  return it->second.get();
}

void TorvDialogWnd::ApplySkin() {
  data_->UpdateIndexes();
  data_->CacheDirty = true;
  brushes_.clear();
  const LONG style = GetWindowLongW(window_, GWL_STYLE);
  if (style & WS_SYSMENU) SetWindowLongW(window_, GWL_STYLE, style & ~WS_SYSMENU);
  ShapeFrameWindow(window_, data_->Skin(), Layout(), Look());
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The system's frame comes back.
void TorvDialogWnd::RemoveSkin() {
  if (!prepared_ || !IsWindow(window_)) return;
  brushes_.clear();
  if (style_ & WS_SYSMENU) SetWindowLongW(window_, GWL_STYLE, GetWindowLongW(window_, GWL_STYLE) | WS_SYSMENU);
  SetWindowRgn(window_, nullptr, TRUE);
  SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TorvDialogWnd::SetButtonState(int32_t hit, int32_t state) {
  const int32_t b = ButtonOfHit(hit);
  if (b == kNoButton || states_[b] == state) return;
  states_[b] = state;
  if (data_->CacheDirty || titleBackground_.Empty()) {
    NcPaint();
    return;
  }
  const TFrameLayout f = Layout();
  PaintCaptionButton(data_->CacheBitmap, titleBackground_, data_->Skin(), f, Look(), static_cast<TCaptionButton>(b));
  CopyFramePartToWindow(window_, data_->CacheBitmap, f.Buttons[b]);
}

void TorvDialogWnd::SetHot(int32_t hit) {
  const TFrameLayout f = Layout();
  for (int b = cbClose; b < cbCount; ++b)
    if (kHitCodes[b] != press_.Held()) SetButtonState(kHitCodes[b], kHitCodes[b] == hit && f.Enabled[b] ? bsHot : bsNormal);
}

void TorvDialogWnd::ShowSystemMenu(int x, int y) {
  menu_->Refresh(DialogBorder(static_cast<uint32_t>(style_)), Layout());
  // The menu belongs to no form, so the painter's walk over the program's
  // menus never meets it: it is given the painter's handlers here.
  if (TsSkinManager* m = data_->Manager()) m->SkinableMenus().SetMenuOwnerDraw(menu_.get(), m->SkinableMenus().Active());
  menu_->Popup(x, y);
}

LRESULT TorvDialogWnd::WithoutSystemFrame(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT r;
  {
    const TSystemFrameOff off(window_);
    r = Default(msg, wParam, lParam);
  }
  data_->CacheDirty = true;
  NcPaint();
  return r;
}

bool TorvDialogWnd::MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  const int32_t hit = static_cast<int32_t>(wParam);
  const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const RECT w = WindowRectOf(window_);
  result = 0;
  switch (msg) {
    case WM_NCMOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE | TME_NONCLIENT, window_, 0};
        tracking_ = TrackMouseEvent(&t) != FALSE;
      }
      if (press_.Held() == fhNowhere) SetHot(hit);
      result = Default(msg, wParam, lParam);
      return true;
    case WM_NCMOUSELEAVE:
      tracking_ = false;
      if (press_.Held() == fhNowhere) SetHot(fhNowhere);
      return true;
    case WM_NCLBUTTONDOWN:
      if (ButtonOfHit(hit) != kNoButton) {
        press_.Begin(window_, hit);  // not on a disabled button
        return true;
      }
      if (hit == HTSYSMENU) {
        const TFrameLayout f = Layout();
        ShowSystemMenu(w.left + f.Icon.Left, w.top + f.Icon.Bottom);
        return true;
      }
      return false;
    case WM_NCLBUTTONDBLCLK: {
      const TFrameLayout f = Layout();
      if (hit == HTSYSMENU) {
        if (closeEnabled_) SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
      }
      if (hit == HTCAPTION) {
        if (f.Shown[cbMaximize] && f.Enabled[cbMaximize])
          SendMessageW(window_, WM_SYSCOMMAND, IsZoomed(window_) || IsIconic(window_) ? SC_RESTORE : SC_MAXIMIZE, 0);
        return true;
      }
      return ButtonOfHit(hit) != kNoButton;
    }
    case WM_NCRBUTTONDOWN:
      return hit == HTCAPTION || hit == HTSYSMENU;
    case WM_NCRBUTTONUP:
      if (hit != HTCAPTION && hit != HTSYSMENU) return false;
      ShowSystemMenu(screen.x, screen.y);
      return true;
    case WM_MOUSEMOVE:
      if (press_.Held() == fhNowhere) {
        // Over the dialog itself no control shows the hot look.
        if (TsSkinManager* m = TsSkinManager::DefaultManager(); m && IsWindowEnabled(window_) && m->HotWindow())
          m->SetHotWindow(nullptr);
        return false;
      }
      return press_.Follow(window_, msg, lParam);
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      return press_.Follow(window_, msg, lParam);
    default:
      return false;
  }
}

LRESULT TorvDialogWnd::SkinCommand(WPARAM wParam, LPARAM lParam) {
  const uint16_t cmd = SkinCmdOf(static_cast<uint32_t>(wParam));
  const bool own = reinterpret_cast<TsSkinManager*>(lParam) == data_->Manager();
  switch (cmd) {
    case SKC_SETNEWSKIN:
    case SKC_REFRESH:
      if (own) ApplySkin();
      return 0;
    case SKC_REMOVESKIN:
      if (own) RemoveSkin();
      return 0;
    case SKC_GETBG: {
      SharedBackground() = {};
      const RECT c = ClientInWindow(window_);
      SharedBackground() = {&Picture(), c.left, c.top, true};
      return 0;
    }
    case SKC_ISSKINNED:
      return 1;
    case SKC_SETUPDATING:
      data_->PaintSuspended = LOWORD(wParam) == 1;
      if (data_->PaintSuspended) data_->CacheDirty = true;
      return 0;
    case SKC_ISUPDATING:
      return data_->CacheDirty || data_->PaintSuspended ? 1 : 0;
    case SKC_ISTRANSPARENT: {
      const TsGeneralData& g = data_->Skin().gd[static_cast<size_t>(data_->SectionIndex)];
      return g.GradientPercent + g.ImagePercent > 0 ? 1 : 0;
    }
    case SKC_GETCOLOR:
      TransparentKeyColor() = data_->Skin().gd[static_cast<size_t>(data_->SectionIndex)].HotColor;
      return 0;
    case kSkcRescanChildren:
      if (rescan_) rescan_();
      return 0;
    default:
      return 0;
  }
}

LRESULT TorvDialogWnd::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!prepared_ || data_->SectionIndex < 0) return TorvMainWnd::Handle(msg, wParam, lParam);
  switch (msg) {
    case SM_SKINCMD:
      return SkinCommand(wParam, lParam);
    case WM_NCPAINT:
      NcPaint();
      return 0;
    case WM_NCACTIVATE: {
      // The picture changes only when the state does.
      if (active_ != (wParam != 0)) data_->CacheDirty = true;
      active_ = wParam != 0;
      // Windows, Wine: lParam -1 records the state without drawing a caption.
      const LRESULT r = Default(msg, wParam, -1);
      NcPaint();
      return r;
    }
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_ENABLE:
      return WithoutSystemFrame(msg, wParam, lParam);
    case WM_NCHITTEST: {
      const RECT w = WindowRectOf(window_);
      const int32_t hit = FrameHitTest(Layout(), GET_X_LPARAM(lParam) - w.left, GET_Y_LPARAM(lParam) - w.top);
      return hit == fhClient ? Default(msg, wParam, lParam) : hit;
    }
    case WM_SIZE: {
      const LRESULT r = Default(msg, wParam, lParam);
      data_->CacheDirty = true;
      ShapeFrameWindow(window_, data_->Skin(), Layout(), Look());
      return r;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT r = Default(msg, wParam, lParam);
      // A move alone leaves the picture as it is.
      if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOSIZE)) data_->CacheDirty = true;
      return r;
    }
    case WM_ERASEBKGND:
      if (kind_ == dkColorMatrix) return Default(msg, wParam, lParam);
      PaintClient(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT: {
      // The skin's background comes with the erase; whatever the dialog
      // paints itself (a colour matrix, a font sample) is kept. Wine: its
      // colour and font dialogs are not the sizes by which their kinds are
      // recognised, so their own painting must run whatever their kind.
      const LRESULT r = Default(msg, wParam, lParam);
      // Children made while the dialog was being shown are skinned too.
      if (!rescanned_) {
        rescanned_ = true;
        if (rescan_) rescan_();
      }
      return r;
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<LRESULT>(BrushOf(data_->Manager()->GetGlobalColor()));
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, data_->Manager()->GetGlobalFontColor());
      SetBkColor(dc, data_->Manager()->GetGlobalColor());
      return reinterpret_cast<LRESULT>(BrushOf(data_->Manager()->GetGlobalColor()));
    }
    case WM_SYSCOMMAND: {
      const WPARAM command = wParam & 0xFFF0;
      // A dialog that offers no Close is not closed by Alt+F4 either.
      if (command == SC_CLOSE && !closeEnabled_) return 0;
      if (command == SC_KEYMENU && lParam == ' ') {
        const TFrameLayout f = Layout();
        const RECT w = WindowRectOf(window_);
        ShowSystemMenu(w.left + f.Icon.Left, w.top + f.Icon.Bottom);
        return 0;
      }
      const LRESULT r = Default(msg, wParam, lParam);
      if (wParam == kCaptionDrag || command == SC_MAXIMIZE || command == SC_RESTORE) {
        data_->CacheDirty = true;
        RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      }
      return r;
    }
    case kSkinNewChildren: {
      LRESULT r;
      {
        const TRedrawOff off(window_);
        r = Default(msg, wParam, lParam);
        if (rescan_) rescan_();
      }
      RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return r;
    }
    default: {
      LRESULT result = 0;
      if (MouseMessage(msg, wParam, lParam, result)) return result;
      return TorvMainWnd::Handle(msg, wParam, lParam);
    }
  }
}

}  // namespace skin
