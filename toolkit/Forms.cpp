#include "toolkit/Forms.h"

#include "toolkit/LayoutReader.h"
#include "toolkit/Seams.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"
#include "toolkit/WindowClass.h"

namespace tk {

TApplication* Application = nullptr;

// ---------------------------------------------------------------- TForm

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  parentFont_ = false;
  parentColor_ = false;
  font_.Name = "Tahoma";
  font_.Height = -11;
}

void TForm::PublishMethod(const std::string& name, TNotifyEvent handler) { methods_[name] = std::move(handler); }

TNotifyEvent TForm::FindMethod(const std::string& name) {
  auto it = methods_.find(name);
  return it == methods_.end() ? TNotifyEvent{} : it->second;
}

int TForm::ClientWidth() const { return handle_ ? TWinControl::ClientWidth() : clientWidth_; }
int TForm::ClientHeight() const { return handle_ ? TWinControl::ClientHeight() : clientHeight_; }

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (handle_) {
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, GetWindowLongW(handle_, GWL_STYLE), GetMenu(handle_) != nullptr,
                       GetWindowLongW(handle_, GWL_EXSTYLE));
    SetWindowPos(handle_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  }
}

bool TForm::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "ClientWidth")
    clientWidth_ = ValueToInt(name, v);
  else if (name == "ClientHeight")
    clientHeight_ = ValueToInt(name, v);
  else if (name == "Position") {
    const std::string p = ValueToIdent(name, v);
    if (p == "poScreenCenter" || p == "poDesktopCenter" || p == "poMainFormCenter")
      Position = TPosition::poScreenCenter;
    else if (p == "poDefault" || p == "poDefaultPosOnly")
      Position = TPosition::poDefault;
    else
      Position = TPosition::poDesigned;
  } else if (name == "OnCreate") {
    const std::string m = ValueToIdent(name, v);
    OnCreate = FindMethod(m);
    if (!OnCreate) throw EReadError("Method " + m + " not found");
  } else if (name == "Visible") {
    // A form is shown by the application, not by its layout.
    ValueToBool(name, v);
  } else if (name == "BorderStyle") {
    static const char* const kNames[] = {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"};
    const std::string ident = ValueToIdent(name, v);
    const auto it = std::find(std::begin(kNames), std::end(kNames), ident);
    if (it == std::end(kNames)) throw EReadError("Invalid property value for BorderStyle: " + ident);
    borderStyle_ = static_cast<TFormBorderStyle>(it - std::begin(kNames));
  } else if (name == "BorderIcons") {
    static const std::pair<const char*, TBorderIcon> kIcons[] = {
        {"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}, {"biHelp", biHelp}};
    borderIcons_ = 0;
    for (const std::string& icon : ValueToSet(name, v)) {
      const auto it = std::find_if(std::begin(kIcons), std::end(kIcons), [&](const auto& k) { return icon == k.first; });
      if (it == std::end(kIcons)) throw EReadError("Invalid property value for BorderIcons: " + icon);
      borderIcons_ |= it->second;
    }
  } else if (name == "WindowState") {
    const std::string ident = ValueToIdent(name, v);
    if (ident == "wsNormal")
      windowState_ = TWindowState::wsNormal;
    else if (ident == "wsMinimized")
      windowState_ = TWindowState::wsMinimized;
    else if (ident == "wsMaximized")
      windowState_ = TWindowState::wsMaximized;
    else
      throw EReadError("Invalid property value for WindowState: " + ident);
  } else if (name == "Menu") {
    // The menu is stored after the form's own properties: found in Loaded.
    menuName_ = ValueToIdent(name, v);
  } else if (name == "PixelsPerInch" || name == "TextHeight" || name == "OldCreateOrder" || name == "FormStyle" ||
             name == "Scaled") {
    // Design-time and defaulted properties: accepted, nothing to do here.
  } else {
    return TWinControl::SetProperty(name, v);
  }
  return true;
}

TFormStyles FormStyles(TFormBorderStyle border, uint8_t icons) {
  TFormStyles s = {WS_CLIPCHILDREN, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT};
  const bool dialog = border == TFormBorderStyle::bsDialog;
  const bool tool = border == TFormBorderStyle::bsToolWindow || border == TFormBorderStyle::bsSizeToolWin;
  const bool sizeable = border == TFormBorderStyle::bsSizeable || border == TFormBorderStyle::bsSizeToolWin;
  if (border == TFormBorderStyle::bsNone) {
    s.style |= WS_POPUP;
    return s;
  }
  s.style |= WS_CAPTION | (sizeable ? WS_THICKFRAME : 0);
  if (dialog) s.exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (tool) s.exStyle |= WS_EX_TOOLWINDOW;
  if (icons & biSystemMenu) {
    s.style |= WS_SYSMENU;
    // Dialogs and tool windows have no minimise or maximise box.
    if (!dialog && !tool) {
      if (icons & biMinimize) s.style |= WS_MINIMIZEBOX;
      if (icons & biMaximize) s.style |= WS_MAXIMIZEBOX;
    }
    // Windows: the help button shows only without minimise and maximise boxes.
    if ((icons & biHelp) && !(s.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) s.exStyle |= WS_EX_CONTEXTHELP;
  }
  return s;
}

void TForm::CreateParams(TCreateParams& params) {
  const TFormStyles styles = FormStyles(borderStyle_, borderIcons_);
  params.style = styles.style;
  params.exStyle = styles.exStyle;
  params.parent = nullptr;
  // The window is created at the size that gives the client size asked for,
  // however its handle comes to be created.
  if (clientWidth_ > 0 && clientHeight_ > 0) {
    RECT r = {0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&r, params.style, menu_ != nullptr, params.exStyle);
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
  }
}

void TForm::LoadFromResource(const wchar_t* resourceName) {
  HRSRC res = FindResourceW(nullptr, resourceName, MAKEINTRESOURCEW(10));
  if (!res) throw EReadError("Resource " + Narrow(resourceName) + " not found");
  HGLOBAL data = LoadResource(nullptr, res);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(data));
  if (!bytes) throw EReadError("Resource " + Narrow(resourceName) + " not found");
  ReadComponent(*this, tpf0::Read({bytes, SizeofResource(nullptr, res)}));
  ComponentsLoaded();
  if (OnCreate) OnCreate(this);
}

void TForm::MissingComponent(const char* name) {
  throw EReadError(std::string("Component ") + name + " missing from the layout");
}

namespace {

// Hands a message to every windowed control inside parent, depth first.
void PerformOnAll(const TWinControl& parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  for (TControl* c : parent.Controls())
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      w->Perform(msg, wParam, lParam);
      PerformOnAll(*w, msg, wParam, lParam);
    }
}

// Clicks the first enabled, visible Default button inside parent; false when there is none.
bool ClickDefaultButton(const TWinControl& parent) {
  for (TControl* c : parent.Controls()) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w || !w->HandleAllocated() || !IsWindowVisible(w->Handle()) || !IsWindowEnabled(w->Handle())) continue;
    if (auto* b = dynamic_cast<TButton*>(w); b && b->Default()) {
      b->Click();
      return true;
    }
    if (ClickDefaultButton(*w)) return true;
  }
  return false;
}

}  // namespace

void TForm::Show() {
  if (!handle_) {
    HandleNeeded();
    SetClientSize(clientWidth_, clientHeight_);
    RECT r;
    GetWindowRect(handle_, &r);
    if (Position == TPosition::poScreenCenter) {
      // Centred in the work area of the primary monitor.
      RECT work;
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
      const int w = r.right - r.left, h = r.bottom - r.top;
      const int x = work.left + ((work.right - work.left) - w) / 2;
      const int y = work.top + ((work.bottom - work.top) - h) / 2;
      SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    AlignControls();
  }
  visible_ = true;
  ShowWindow(handle_, windowState_ == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                      : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                                  : SW_SHOW);
  UpdateWindow(handle_);
  if (!shown_) {
    shown_ = true;
    // The first tab stop gets the focus, as a dialog's would.
    if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE)) ::SetFocus(first);
  }
}

void TForm::Loaded() {
  TWinControl::Loaded();
  if (menuName_.empty()) return;
  auto* menu = dynamic_cast<TMainMenu*>(FindComponent(menuName_));
  if (!menu) throw EReadError("Menu " + menuName_ + " not found");
  SetMenu(menu);
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (icon_) ShowIcon();
  if (menu_) ::SetMenu(handle_, menu_->Rebuild());
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  ApplyFrame();
}

void TForm::SetBorderIcons(uint8_t icons) {
  borderIcons_ = icons;
  ApplyFrame();
}

void TForm::ApplyFrame() {
  if (!handle_) return;
  const int cw = ClientWidth(), ch = ClientHeight();
  const TFormStyles s = FormStyles(borderStyle_, borderIcons_);
  const DWORD visible = GetWindowLongW(handle_, GWL_STYLE) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  SetWindowLongW(handle_, GWL_STYLE, static_cast<LONG>(s.style | visible));
  SetWindowLongW(handle_, GWL_EXSTYLE, static_cast<LONG>(s.exStyle));
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (!(visible & (WS_MINIMIZE | WS_MAXIMIZE))) SetClientSize(cw, ch);
}

TWindowState TForm::WindowState() const {
  if (!handle_) return windowState_;
  if (IsIconic(handle_)) return TWindowState::wsMinimized;
  if (IsZoomed(handle_)) return TWindowState::wsMaximized;
  return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (!handle_ || !IsWindowVisible(handle_)) return;
  ShowWindow(handle_, state == TWindowState::wsMaximized   ? SW_MAXIMIZE
                      : state == TWindowState::wsMinimized ? SW_MINIMIZE
                                                           : SW_RESTORE);
  // Windows: a window minimised from maximised restores to maximised first.
  if (state == TWindowState::wsNormal && IsZoomed(handle_)) ShowWindow(handle_, SW_RESTORE);
}

void TForm::SetIcon(HICON icon) {
  icon_.reset(icon ? CopyIcon(icon) : nullptr);
  ShowIcon();
}

void TForm::ShowIcon() {
  if (!handle_) return;
  HICON shown = icon_ ? icon_.get() : LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shown));
  SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(shown));
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  if (handle_) ::SetMenu(handle_, menu_ ? menu_->Rebuild() : nullptr);
}

void TForm::Notification(TComponent* removed) {
  TWinControl::Notification(removed);
  if (removed == menu_) {
    menu_ = nullptr;
    if (handle_) ::SetMenu(handle_, nullptr);
  }
}

void TForm::Close() {
  if (handle_) PostMessageW(handle_, WM_CLOSE, 0, 0);
}

LRESULT TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      if (Application && Application->MainForm() == this) Application->Terminate();
      ShowWindow(handle_, SW_HIDE);
      visible_ = false;
      return 0;
    case CM_FOCUSCHANGED:
      // The buttons follow the focus: the one Enter presses shows it.
      PerformOnAll(*this, msg, wParam, lParam);
      return 0;
    case WM_COMMAND:
      // Enter outside a button: the dialog manager asks for IDOK.
      if (wParam == IDOK && lParam == 0) {
        ClickDefaultButton(*this);
        return 0;
      }
      if (HIWORD(wParam) == 0 && lParam == 0 && menu_ && menu_->DispatchCommand(LOWORD(wParam))) return 0;
      break;
    case WM_MEASUREITEM:
      if (TMenu::MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (TMenu::DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_MENUCHAR:
      if (menu_ && menu_->OwnerDraw) return TMenu::MenuChar(static_cast<wchar_t>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
      break;
    case WM_MOVE: {
      RECT r;
      GetWindowRect(handle_, &r);
      left_ = r.left;
      top_ = r.top;
      break;
    }
    default:
      break;
  }
  return TWinControl::WndProc(msg, wParam, lParam);
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication() { Application = this; }

TApplication::~TApplication() {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {}

void TApplication::Adopt(TForm* form) {
  forms_.push_back(form);
  if (!mainForm_) mainForm_ = form;
}

bool TApplication::HandleMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  // Tab, arrows and Enter move between the controls of the form.
  // Windows: the dialog manager works on any top-level window whose controls
  // carry WS_TABSTOP; it takes the keys before TranslateMessage sees them.
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (top && TWinControl::FromHandle(top) && IsDialogMessageW(top, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) HandleMessage(msg);
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  MSG msg;
  while (!terminated_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    HandleMessage(msg);
  }
}

void TApplication::HandleException(TComponent* sender) {
  std::exception_ptr error = std::current_exception();
  if (seams::applicationHandleException &&
      seams::applicationHandleException(sender, sender ? sender->ClassName() : "", error))
    return;
  if (OnException)
    OnException(sender, error);
  else
    ShowException(error);
}

std::string ExceptionText(std::exception_ptr error) {
  std::string text;
  try {
    if (error) std::rethrow_exception(error);
  } catch (const Exception& e) {
    text = e.Message();
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "Unknown exception";
  }
  if (!text.empty()) {
    const unsigned char last = static_cast<unsigned char>(text.back());
    if (last > '.') text += '.';
  }
  return text;
}

void TApplication::ShowException(std::exception_ptr error) {
  if (seams::applicationShowException && seams::applicationShowException(nullptr, "TApplication", error)) return;
  HWND owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
  MessageBoxW(owner, Wide(ExceptionText(error)).c_str(), Wide(Title).c_str(), MB_OK | MB_ICONERROR);
}

void HandleWindowException(TComponent* sender) {
  if (Application) Application->HandleException(sender);
}

}  // namespace tk
