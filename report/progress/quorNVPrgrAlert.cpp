#include "report/progress/quorNVPrgrAlert.h"

#include <commctrl.h>

#include <algorithm>
#include <span>

#include "base/WinAnsi.h"
#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "report/progress/quorProgressLayout.h"
#include "report/progress/quorProgressWindow.h"
#include "report/progress/quorRawIcon.h"

namespace quor {

namespace {

constexpr char kPleaseWait[] = "Please wait...";
constexpr uint64_t kPleaseWaitWeight = 1000;
constexpr DWORD kWindowExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
// Away from the work area's right and bottom edges when shown inactive.
constexpr int kCornerGap = 2;

HINSTANCE CodeModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&CodeModule), &module);
  return module;
}

// "Tahoma" 11 pixels high, or "MS Sans Serif" 12 pixels high.
HFONT CreateWindowFont() {
  const auto make = [](int height, const wchar_t* face) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
  };
  HFONT font = make(11, L"Tahoma");
  return font ? font : make(12, L"MS Sans Serif");
}

std::optional<std::vector<uint32_t>> LoadRawIcon(HMODULE module, const std::string& name) {
  const HRSRC found = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(2));
  const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
  if (!bytes) return std::nullopt;
  return BlendRawIcon(std::span(bytes, SizeofResource(module, found)), kProgressIconSide, GetSysColor(COLOR_BTNFACE));
}

HWND CreateChild(HWND parent, const wchar_t* className, DWORD style, const TLayoutRect& r, int id) {
  return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, r.Left, r.Top, r.Width, r.Height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), CodeModule(), nullptr);
}

TProgressMetrics SystemMetrics() {
  return {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME), GetSystemMetrics(SM_CYSMCAPTION),
          GetSystemMetrics(SM_CYHSCROLL)};
}

class TIProgressAlert final : public QuorRefCounted<IProgressAlert> {
public:
  TIProgressAlert(const std::string& title, HMODULE module, const std::string& iconName)
      : module_(module), iconName_(iconName), state_(std::make_shared<TProgressState>()) {
    state_->Title = title;
  }

  std::string Title() override {
    std::lock_guard<std::mutex> hold(state_->Lock);
    return state_->Title;
  }
  void SetTitle(const std::string& title) override {
    {
      std::lock_guard<std::mutex> hold(state_->Lock);
      if (state_->Title == title) return;
      state_->Title = title;
    }
    Deliver();
  }
  int32_t Position() override {
    std::lock_guard<std::mutex> hold(state_->Lock);
    return state_->Areas.Position();
  }
  void SetPosition(int32_t permille) override {
    Change([permille](TProgressAreas& a) { a.SetPosition(permille); });
  }
  void AddArea(const std::string& text, uint64_t weight) override {
    Change([&](TProgressAreas& a) { a.Add(text, weight); });
  }
  void ClearAreas() override {
    Change([](TProgressAreas& a) { a.Clear(); });
  }
  void NextArea() override {
    Change([](TProgressAreas& a) { a.Next(); });
  }
  int32_t CurrentArea() override {
    std::lock_guard<std::mutex> hold(state_->Lock);
    return state_->Areas.Current();
  }
  void SetCurrentArea(int32_t index) override {
    Change([index](TProgressAreas& a) { a.SetCurrent(index); });
  }
  void ProcessMessages() override;
  void Show(HWND owner, bool activate) override;
  void Close() override {
    ProgressWindowHandle window;
    {
      std::lock_guard<std::mutex> hold(state_->Lock);
      window = std::move(window_);
    }
    // Closed outside the lock: destroying takes it.
  }

protected:
  ~TIProgressAlert() override { Close(); }

private:
  template <class F>
  void Change(F change) {
    {
      std::lock_guard<std::mutex> hold(state_->Lock);
      change(state_->Areas);
    }
    Deliver();
  }
  // Brings the window up to date: in its own thread at once, and the
  // thread's messages are pumped so that a thread without a message loop
  // still repaints; from another thread by one posted message at a time.
  void Deliver();
  [[nodiscard]] HWND WindowOf(DWORD& thread) {
    std::lock_guard<std::mutex> hold(state_->Lock);
    thread = windowThread_;
    return window_.get();
  }
  // The text area: the largest of the texts from the current area on,
  // wrapped at the wrap width.
  [[nodiscard]] SIZE MeasureTexts();

  HMODULE module_;
  std::string iconName_;
  std::shared_ptr<TProgressState> state_;
  bool shown_ = false;           // guarded by the state's lock
  ProgressWindowHandle window_;  // guarded by the state's lock
  DWORD windowThread_ = 0;       // the thread that showed the window
};

void TIProgressAlert::Deliver() {
  DWORD thread = 0;
  const HWND window = WindowOf(thread);
  if (!window) return;
  if (thread == GetCurrentThreadId()) {
    SyncProgressWindow(window, *state_);
    ProcessMessages();
  } else if (!state_->SyncPosted.exchange(true) && !PostMessageW(window, kProgressSyncMessage, 0, 0)) {
    state_->SyncPosted = false;
  }
}

void TIProgressAlert::ProcessMessages() {
  // Also after a close from another thread: the posted close waits in this
  // thread's queue.
  {
    std::lock_guard<std::mutex> hold(state_->Lock);
    if (windowThread_ != GetCurrentThreadId()) return;
  }
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The thread's own loop must still see the request to end.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

SIZE TIProgressAlert::MeasureTexts() {
  std::vector<std::wstring> texts;
  {
    std::lock_guard<std::mutex> hold(state_->Lock);
    const auto& areas = state_->Areas.Areas();
    for (size_t i = size_t(state_->Areas.Current()); i < areas.size(); ++i)
      texts.push_back(base::AnsiToWide(areas[i].Text));
  }
  const base::MemoryDc dc(CreateCompatibleDC(nullptr));
  const base::Selection font(dc.get(), state_->Font.get());
  SIZE size{0, 0};
  for (const std::wstring& text : texts) {
    RECT r{0, 0, kProgressWrapWidth, 0};
    DrawTextW(dc.get(), text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    size.cx = std::max<LONG>(size.cx, r.right);
    size.cy = std::max<LONG>(size.cy, r.bottom);
  }
  return size;
}

void TIProgressAlert::Show(HWND owner, bool activate) {
  auto icon = LoadRawIcon(module_, iconName_);
  {
    std::lock_guard<std::mutex> hold(state_->Lock);
    if (std::exchange(shown_, true)) return;
    if (state_->Areas.Areas().empty()) state_->Areas.Add(kPleaseWait, kPleaseWaitWeight);
    state_->Owner = owner;
    state_->Icon = std::move(icon);
  }
  state_->Font.reset(CreateWindowFont());
  const HINSTANCE instance = CodeModule();
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  if (!RegisterProgressClass(instance)) return;
  ProgressWindowHandle window(CreateProgressWindow(instance, state_, kWindowExStyle, owner));
  if (!window) return;
  const HWND w = window.get();
  if (const HMENU menu = GetSystemMenu(w, FALSE))
    for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) DeleteMenu(menu, command, MF_BYCOMMAND);

  const SIZE text = MeasureTexts();
  const TProgressLayout layout = LayOutProgress(text.cx, text.cy, state_->Icon.has_value(), SystemMetrics());
  if (state_->Icon) CreateChild(w, L"BUTTON", WS_DISABLED | BS_OWNERDRAW, layout.Icon, kProgressIconId);
  const HWND textControl = CreateChild(w, L"STATIC", SS_LEFT | SS_NOPREFIX, layout.Text, kProgressTextId);
  SendMessageW(textControl, WM_SETFONT, reinterpret_cast<WPARAM>(state_->Font.get()), FALSE);
  const HWND bar = CreateChild(w, PROGRESS_CLASSW, 0, layout.Bar, kProgressBarId);
  SendMessageW(bar, PBM_SETRANGE32, 0, kBarRange);

  // The owner's earlier state comes back when the window goes.
  const bool ownerWasDisabled = owner && EnableWindow(owner, FALSE);
  {
    std::lock_guard<std::mutex> hold(state_->Lock);
    state_->OwnerWasDisabled = ownerWasDisabled;
    window_ = std::move(window);
    windowThread_ = GetCurrentThreadId();
  }
  if (activate) {
    const int x = (GetSystemMetrics(SM_CXSCREEN) - layout.WindowWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - layout.WindowHeight) / 2;
    SetWindowPos(w, HWND_TOPMOST, x, y, layout.WindowWidth, layout.WindowHeight, SWP_NOACTIVATE);
    ShowWindow(w, SW_SHOWNORMAL);
    BringWindowToTop(w);
    SetForegroundWindow(w);
  } else {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
      work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SetWindowPos(w, HWND_TOPMOST, work.right - kCornerGap - layout.WindowWidth,
                 work.bottom - kCornerGap - layout.WindowHeight, layout.WindowWidth, layout.WindowHeight,
                 SWP_NOACTIVATE);
    ShowWindow(w, SW_SHOWNOACTIVATE);
  }
  SyncProgressWindow(w, *state_);
}

}  // namespace

QuorPtr<IProgressAlert> NewProgressAlert(const std::string& title, HMODULE module, const std::string& iconName) {
  return QuorPtr<IProgressAlert>(new TIProgressAlert(title, module, iconName));
}

}  // namespace quor
