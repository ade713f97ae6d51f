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
    AdjustWindowRectEx(&r, GetWindowLongW(handle_, GWL_STYLE), FALSE, GetWindowLongW(handle_, GWL_EXSTYLE));
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
  } else if (name == "PixelsPerInch" || name == "TextHeight" || name == "OldCreateOrder" || name == "BorderIcons" ||
             name == "BorderStyle" || name == "FormStyle" || name == "Scaled") {
    // Design-time and defaulted properties: accepted, nothing to do here.
  } else {
    return TWinControl::SetProperty(name, v);
  }
  return true;
}

void TForm::CreateParams(TCreateParams& params) {
  params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  params.exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
  params.parent = nullptr;
  // The window is created at the size that gives the client size asked for,
  // however its handle comes to be created.
  if (clientWidth_ > 0 && clientHeight_ > 0) {
    RECT r = {0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&r, params.style, FALSE, params.exStyle);
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
  ShowWindow(handle_, SW_SHOW);
  UpdateWindow(handle_);
  if (!shown_) {
    shown_ = true;
    // The first tab stop gets the focus, as a dialog's would.
    if (HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE)) ::SetFocus(first);
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
