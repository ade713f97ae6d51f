#include "toolkit/Controls.h"

#include <algorithm>

#include "base/WinGdiObject.h"
#include "base/WinPaint.h"
#include "base/WinSelection.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"
#include "toolkit/WindowClass.h"

namespace tk {

namespace {

const wchar_t kControlProp[] = L"TkControl";

TAlign ParseAlign(const std::string& prop, const tpf0::Value& v) {
  static const char* const kNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
  const std::string ident = ValueToIdent(prop, v);
  for (int i = 0; i < 6; ++i)
    if (ident == kNames[i]) return static_cast<TAlign>(i);
  throw EReadError("Invalid property value for " + prop + ": " + ident);
}

// The control that is creating its window: messages sent before
// CreateWindowEx returns (WM_NCCREATE, WM_CREATE, WM_SIZE ...) reach it.
TWinControl* g_creating = nullptr;

}  // namespace

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    InheritFromParent();
  }
}

void TControl::InheritFromParent() {
  if (!parent_) return;
  if (parentFont_) {
    font_ = parent_->Font();
    FontChanged();
  }
  if (parentColor_) color_ = parent_->Color();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
  Invalidate();
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  Invalidate();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Invalidate();
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetCaption(const std::string& text) {
  caption_ = text;
  Invalidate();
}

void TControl::SetColor(TColor color) {
  color_ = color;
  parentColor_ = false;
  Invalidate();
}

void TControl::InheritColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() {}

void TControl::UpdateAnchorRules() {
  if (!parent_) return;
  anchorRight_ = parent_->ClientWidth() - (left_ + width_);
  anchorBottom_ = parent_->ClientHeight() - (top_ + height_);
}

void TControl::ParentResized(int pw, int ph) {
  if (align_ != TAlign::alNone) return;
  int l = left_, t = top_, w = width_, h = height_;
  if (anchors_ & akRight) {
    if (anchors_ & akLeft)
      w = pw - l - anchorRight_;
    else
      l = pw - w - anchorRight_;
  }
  if (anchors_ & akBottom) {
    if (anchors_ & akTop)
      h = ph - t - anchorBottom_;
    else
      t = ph - h - anchorBottom_;
  }
  SetBounds(l, t, w, h);
}

void TControl::Loaded() { UpdateAnchorRules(); }

bool TControl::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Left")
    left_ = ValueToInt(name, v);
  else if (name == "Top")
    top_ = ValueToInt(name, v);
  else if (name == "Width")
    width_ = std::max(0, ValueToInt(name, v));
  else if (name == "Height")
    height_ = std::max(0, ValueToInt(name, v));
  else if (name == "Align")
    align_ = ParseAlign(name, v);
  else if (name == "Anchors") {
    anchors_ = 0;
    for (const auto& a : ValueToSet(name, v)) {
      if (a == "akLeft")
        anchors_ |= akLeft;
      else if (a == "akTop")
        anchors_ |= akTop;
      else if (a == "akRight")
        anchors_ |= akRight;
      else if (a == "akBottom")
        anchors_ |= akBottom;
      else
        throw EReadError("Invalid property value for Anchors: " + a);
    }
  } else if (name == "Visible")
    visible_ = ValueToBool(name, v);
  else if (name == "Enabled")
    enabled_ = ValueToBool(name, v);
  else if (name == "Caption" || name == "Text")
    caption_ = ValueToString(name, v);
  else if (name == "Color") {
    color_ = ValueToColor(name, v);
    parentColor_ = false;
  } else if (name == "ParentColor")
    parentColor_ = ValueToBool(name, v);
  else if (name == "ParentFont")
    parentFont_ = ValueToBool(name, v);
  else if (name.rfind("Font.", 0) == 0) {
    if (!font_.SetProperty(name.substr(5), v)) return false;
    parentFont_ = false;
  } else if (name == "TabOrder")
    tabOrder_ = ValueToInt(name, v);
  else if (name == "TabStop")
    tabStop_ = ValueToBool(name, v);
  else if (name == "OnClick") {
    const std::string method = ValueToIdent(name, v);
    OnClick = MethodRoot()->FindMethod(method);
    if (!OnClick) throw EReadError("Method " + method + " not found");
  } else if (name == "ParentShowHint" || name == "ShowHint" || name == "Hint" || name == "Cursor" ||
             name == "HelpContext" || name == "ParentBiDiMode") {
    // Accepted and not used by this program's windows.
  } else {
    return TComponent::SetProperty(name, v);
  }
  return true;
}

void TGraphicControl::Invalidate() {
  if (parent_ && parent_->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(parent_->Handle(), &r, FALSE);
  }
}


// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Messages sent while the window goes must see that this control and what
  // it owns are going: the derived parts are gone already.
  Destroying();
  // Children leave first; their windows go with ours.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  DestroyWnd();
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  if (handle_) {
    if (auto* w = dynamic_cast<TWinControl*>(c))
      w->HandleNeeded();
    else
      c->Invalidate();
  }
}

void TWinControl::RemoveControl(TControl* c) {
  c->Invalidate();
  if (c == hotGraphic_) hotGraphic_ = nullptr;
  if (c == capturedGraphic_) capturedGraphic_ = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyWnd();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

void TWinControl::CreateParams(TCreateParams& params) {
  if (parent_) params.parent = parent_->Handle();
  if (visible_) params.style |= WS_VISIBLE;
  if (!enabled_) params.style |= WS_DISABLED;
  if (tabStop_) params.style |= WS_TABSTOP;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (parent_ && !parent_->HandleAllocated()) {
    parent_->HandleNeeded();  // creates ours on the way
    if (handle_) return;
  }
  CreateWnd();
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  ApplyTabOrder();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  const bool ownClass = params.windowClass.empty();
  const wchar_t* cls = ownClass ? ToolkitWindowClass() : params.windowClass.c_str();
  TWinControl* const outer = g_creating;
  g_creating = this;
  HWND hwnd = CreateWindowExW(params.exStyle, cls, Wide(caption_).c_str(), params.style, left_, top_, width_, height_,
                              params.parent, nullptr, GetModuleHandleW(nullptr), this);
  g_creating = outer;
  if (!hwnd) throw EOutOfResources("Error creating window: " + std::to_string(GetLastError()));
  if (!ownClass) {
    SetPropW(hwnd, kControlProp, this);
    handle_ = hwnd;
    defProc_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolkitWndProc)));
  }
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

void TWinControl::DestroyWnd() {
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyWnd();
  if (handle_) {
    HWND h = handle_;
    DestroyWindow(h);
    handle_ = nullptr;
  }
}

void TWinControl::ApplyTabOrder() {
  // The dialog manager moves the focus in window order, so the windows of
  // the children are stacked in their tab order.
  std::vector<TWinControl*> wins;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_) wins.push_back(w);
  std::stable_sort(wins.begin(), wins.end(), [](TWinControl* a, TWinControl* b) {
    const unsigned ta = static_cast<unsigned>(a->tabOrder_), tb = static_cast<unsigned>(b->tabOrder_);
    return ta < tb;
  });
  HWND after = HWND_TOP;
  for (TWinControl* w : wins) {
    SetWindowPos(w->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = w->handle_;
  }
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TWinControl*>(GetPropW(hwnd, kControlProp)) : nullptr;
}

int TWinControl::ClientWidth() const {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return r.right;
  }
  return width_;
}

int TWinControl::ClientHeight() const {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return r.bottom;
  }
  return height_;
}

void TWinControl::SetBounds(int left, int top, int width, int height) { TControl::SetBounds(left, top, width, height); }

void TWinControl::BoundsChanged() {
  if (handle_) MoveWindow(handle_, left_, top_, width_, height_, TRUE);
  AlignControls();
}

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  const int cw = ClientWidth(), ch = ClientHeight();
  RECT rest = {0, 0, cw, ch};
  auto place = [&](TAlign which) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->Align() == which && c->Visible()) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [which](TControl* a, TControl* b) {
      switch (which) {
        case TAlign::alTop:
          return a->Top() < b->Top();
        case TAlign::alBottom:
          return a->Top() + a->Height() > b->Top() + b->Height();
        case TAlign::alLeft:
          return a->Left() < b->Left();
        case TAlign::alRight:
          return a->Left() + a->Width() > b->Left() + b->Width();
        default:
          return false;
      }
    });
    for (TControl* c : list) {
      switch (which) {
        case TAlign::alTop:
          c->SetBounds(rest.left, rest.top, rest.right - rest.left, c->Height());
          rest.top += c->Height();
          break;
        case TAlign::alBottom:
          c->SetBounds(rest.left, rest.bottom - c->Height(), rest.right - rest.left, c->Height());
          rest.bottom -= c->Height();
          break;
        case TAlign::alLeft:
          c->SetBounds(rest.left, rest.top, c->Width(), rest.bottom - rest.top);
          rest.left += c->Width();
          break;
        case TAlign::alRight:
          c->SetBounds(rest.right - c->Width(), rest.top, c->Width(), rest.bottom - rest.top);
          rest.right -= c->Width();
          break;
        case TAlign::alClient:
          c->SetBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top);
          break;
        default:
          break;
      }
    }
  };
  for (TAlign a : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) place(a);
  for (TControl* c : controls_) c->ParentResized(cw, ch);
  aligning_ = false;
}

void TWinControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
  Perform(CM_VISIBLECHANGED, visible, 0);
  NotifyShowing();
}

void TWinControl::NotifyShowing() {
  const bool showing = handle_ && IsWindowVisible(handle_);
  Perform(CM_SHOWINGCHANGED, showing, 0);
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->visible_) w->NotifyShowing();
}

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  // The window tells the control itself (WM_ENABLE, then CM_ENABLEDCHANGED).
  if (handle_)
    EnableWindow(handle_, enabled);
  else
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyWnd();
  HandleNeeded();
}

std::wstring TWinControl::WindowText() const {
  const int n = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(GetWindowTextW(handle_, text.data(), n + 1));
  return text;
}

void TWinControl::SetCaption(const std::string& text) {
  caption_ = text;
  // The window answers WM_SETTEXT with CM_TEXTCHANGED.
  if (handle_)
    SetWindowTextW(handle_, Wide(text).c_str());
  else
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TWinControl::SetColor(TColor color) {
  TControl::SetColor(color);
  brush_.reset();
  for (TControl* c : controls_)
    if (c->ParentColor()) c->InheritColor(color);
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  for (TControl* c : controls_)
    if (c->ParentFont()) {
      c->Font() = font_;
      c->FontChanged();
    }
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

LRESULT TWinControl::CNCtlColor(HDC dc) {
  if (!brush_) brush_.reset(CreateSolidBrush(ColorToRGB(color_)));
  SetTextColor(dc, ColorToRGB(font_.Color));
  SetBkColor(dc, ColorToRGB(color_));
  return reinterpret_cast<LRESULT>(brush_.get());
}

bool TWinControl::PaintWindow(HDC dc) {
  RECT r = {0, 0, ClientWidth(), ClientHeight()};
  if (!Perform(CM_PAINTBACKGROUND, reinterpret_cast<WPARAM>(dc), 0))
    FillRect(dc, &r, base::GdiObject<HBRUSH>(CreateSolidBrush(ColorToRGB(color_))).get());
  PaintControls(dc);
  return true;
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible() || g->Width() == 0 || g->Height() == 0) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, g->Left(), g->Top(), g->Left() + g->Width(), g->Top() + g->Height());
    POINT old;
    OffsetViewportOrgEx(dc, g->Left(), g->Top(), &old);
    g->Paint(dc);
    RestoreDC(dc, saved);
  }
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The toolkit's own notifications mean nothing to a window procedure.
  if (IsToolkitNotification(msg)) return 0;
  if (defProc_) return CallWindowProcW(defProc_, handle_, msg, wParam, lParam);
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

void TWinControl::SetHotGraphic(TGraphicControl* g) {
  if (g == hotGraphic_) return;
  TGraphicControl* old = hotGraphic_;
  hotGraphic_ = g;
  if (old) old->Perform(CM_MOUSELEAVE, 0, 0);
  if (g) {
    // The window reports when the mouse leaves it, so the child hears of it too.
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
    TrackMouseEvent(&t);
    g->Perform(CM_MOUSEENTER, 0, 0);
  }
}

bool TWinControl::RouteMouseToGraphic(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSELEAVE) {
    if (!capturedGraphic_) SetHotGraphic(nullptr);
    return false;
  }
  if (msg == WM_CAPTURECHANGED) {
    capturedGraphic_ = nullptr;
    return false;
  }
  if (msg != WM_MOUSEMOVE && msg != WM_LBUTTONDOWN && msg != WM_LBUTTONUP && msg != WM_LBUTTONDBLCLK) return false;
  const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  TGraphicControl* under = nullptr;
  for (auto it = controls_.rbegin(); it != controls_.rend() && !under; ++it) {
    auto* g = dynamic_cast<TGraphicControl*>(*it);
    const RECT r = (*it)->BoundsRect();
    if (g && g->Visible() && PtInRect(&r, p)) under = g;
  }
  SetHotGraphic(under);
  TGraphicControl* target = capturedGraphic_ ? capturedGraphic_ : under;
  if (!target) return false;
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    capturedGraphic_ = target;
    SetCapture(handle_);
  }
  const LPARAM local = MAKELPARAM(static_cast<WORD>(p.x - target->Left()), static_cast<WORD>(p.y - target->Top()));
  if (msg == WM_LBUTTONUP && capturedGraphic_) {
    capturedGraphic_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
  }
  target->Perform(msg, wParam, local);
  return true;
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (handle_ && RouteMouseToGraphic(msg, wParam, lParam)) return 0;
  switch (msg) {
    case WM_COMMAND:
      if (lParam) {
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this)
          return child->CNCommand(HIWORD(wParam));
      }
      break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (TWinControl* child = FromHandle(dis->hwndItem); child && child != this) return child->CNDrawItem(dis);
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this)
        return child->CNCtlColor(reinterpret_cast<HDC>(wParam));
      break;
    case WM_ERASEBKGND:
      if (!defProc_) return 1;  // our windows paint everything in WM_PAINT
      break;
    case WM_PAINT:
      if (!defProc_) {
        // Paint off screen and copy once: no flicker. A skipped paint copies
        // nothing, so the screen keeps its picture instead of showing the
        // unfilled bitmap; the paint is ended all the same. The owners release
        // the memory DC and bitmap and end the paint even when painting
        // throws; the exception goes on to the application's handler.
        // Windows: without EndPaint the update region stays, and the window
        // receives WM_PAINT again at once, for ever.
        const base::PaintScope paint(handle_);
        const int w = std::max(1, ClientWidth()), h = std::max(1, ClientHeight());
        const base::MemoryDc mem(CreateCompatibleDC(paint.dc()));
        const base::GdiObject<HBITMAP> bmp(CreateCompatibleBitmap(paint.dc(), w, h));
        const base::Selection selected(mem.get(), bmp.get());
        if (PaintWindow(mem.get())) BitBlt(paint.dc(), 0, 0, w, h, mem.get(), 0, 0, SRCCOPY);
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (!defProc_) {
        PaintWindow(reinterpret_cast<HDC>(wParam));
        return 0;
      }
      break;
    case WM_ENABLE: {
      enabled_ = wParam != 0;
      const LRESULT result = DefaultHandler(msg, wParam, lParam);
      Perform(CM_ENABLEDCHANGED, 0, 0);
      return result;
    }
    case WM_SETTEXT: {
      const LRESULT result = DefaultHandler(msg, wParam, lParam);
      Perform(CM_TEXTCHANGED, 0, 0);
      return result;
    }
    case WM_CANCELMODE:
      for (TControl* c : controls_)
        if (dynamic_cast<TGraphicControl*>(c)) c->Perform(CM_CANCELMODE, 0, 0);
      Perform(CM_CANCELMODE, 0, 0);
      break;
    case WM_MOUSEWHEEL:
      if (Perform(CM_MOUSEWHEEL, wParam, lParam)) return 0;
      break;
    case WM_KEYDOWN:
      if (Perform(CN_KEYDOWN, wParam, lParam)) return 0;
      break;
    case WM_KEYUP:
      if (Perform(CN_KEYUP, wParam, lParam)) return 0;
      break;
    case WM_MOVE:
      // A child window moved by the window system (not by SetBounds) keeps
      // its control's position true.
      if ((GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD) != 0) {
        RECT r;
        GetWindowRect(handle_, &r);
        MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
        left_ = r.left;
        top_ = r.top;
      }
      break;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        RECT r;
        GetWindowRect(handle_, &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
        AlignControls();
      }
      break;
    default:
      break;
  }
  return DefaultHandler(msg, wParam, lParam);
}

bool TWinControl::SetProperty(const std::string& name, const tpf0::Value& v) { return TControl::SetProperty(name, v); }

LRESULT TWinControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hooks_.Empty()) return WndProc(msg, wParam, lParam);
  return hooks_.Dispatch({msg, wParam, lParam},
                         [this](const TMessage& m) { return WndProc(m.msg, m.wParam, m.lParam); });
}

LRESULT CALLBACK ToolkitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* ctl = TWinControl::FromHandle(hwnd);
  if (!ctl && g_creating && !g_creating->handle_) {
    ctl = g_creating;
    ctl->handle_ = hwnd;
    SetPropW(hwnd, kControlProp, ctl);
  }
  if (!ctl) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  try {
    result = ctl->Perform(msg, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's frames: every exception that
    // escapes a message handler goes to the application's handler.
    HandleWindowException(ctl);
  }
  // Every control taking the focus tells its form, whatever its own handler did.
  if (msg == WM_SETFOCUS)
    if (TWinControl* form = TWinControl::FromHandle(GetAncestor(hwnd, GA_ROOT)))
      form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kControlProp);
    if (ctl->handle_ == hwnd) ctl->handle_ = nullptr;
  }
  return result;
}

}  // namespace tk
