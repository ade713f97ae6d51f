#include "report/progress/quorProgressWindow.h"

#include <commctrl.h>

#include "base/WinAnsi.h"
#include "report/progress/quorProgressLayout.h"

namespace quor {

namespace {

// Class device context and parent device context.
constexpr UINT kProgressClassStyle = CS_CLASSDC | CS_PARENTDC;
// The window keeps its state behind this slot of its extra bytes; the
// user data marks it for closing.
constexpr int kStateSlot = 0;

std::shared_ptr<TProgressState>* StateSlot(HWND window) {
  return reinterpret_cast<std::shared_ptr<TProgressState>*>(GetWindowLongPtrW(window, kStateSlot));
}

std::wstring WindowText(HWND window) {
  std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

bool MarkedForClosing(HWND window) { return GetWindowLongPtrW(window, GWLP_USERDATA) != 0; }

void DrawIcon(const DRAWITEMSTRUCT& item, const TProgressState& state) {
  if (!state.Icon) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kProgressIconSide;
  info.bmiHeader.biHeight = -kProgressIconSide;  // rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(item.hDC, item.rcItem.left, item.rcItem.top, kProgressIconSide, kProgressIconSide, 0, 0, 0,
                    kProgressIconSide, state.Icon->data(), &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK ProgressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      const auto* state = static_cast<const std::shared_ptr<TProgressState>*>(create->lpCreateParams);
      SetWindowLongPtrW(window, kStateSlot, reinterpret_cast<LONG_PTR>(new std::shared_ptr<TProgressState>(*state)));
      break;
    }
    case WM_NCDESTROY:
      delete StateSlot(window);
      SetWindowLongPtrW(window, kStateSlot, 0);
      break;
    case WM_CLOSE:
      // The user cannot close the window; the alert marks it before it
      // asks from another thread.
      if (MarkedForClosing(window)) DestroyProgressWindow(window);
      return 0;
    case WM_DRAWITEM:
      if (auto* state = StateSlot(window); state && wParam == kProgressIconId) {
        DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), **state);
        return TRUE;
      }
      break;
    case kProgressSyncMessage:
      if (auto* state = StateSlot(window)) {
        (*state)->SyncPosted = false;
        SyncProgressWindow(window, **state);
      }
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterProgressClass(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.style = kProgressClassStyle;
  wc.lpfnWndProc = ProgressWindowProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kProgressWindowClass;
  return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateProgressWindow(HINSTANCE instance, const std::shared_ptr<TProgressState>& state, DWORD exStyle, HWND owner) {
  std::wstring title;
  {
    std::lock_guard<std::mutex> hold(state->Lock);
    title = base::AnsiToWide(state->Title);
  }
  auto param = state;  // copied by WM_NCCREATE
  return CreateWindowExW(exStyle, kProgressWindowClass, title.c_str(), WS_POPUP | WS_CAPTION, 0, 0, 0, 0, owner,
                         nullptr, instance, &param);
}

void SyncProgressWindow(HWND window, TProgressState& state) {
  std::wstring title, text;
  int32_t bar = 0;
  {
    std::lock_guard<std::mutex> hold(state.Lock);
    title = base::AnsiToWide(state.Title);
    text = base::AnsiToWide(state.Areas.CurrentText());
    bar = state.Areas.BarValue();
  }
  // Only a changed text is set again: setting it repaints the control.
  if (WindowText(window) != title) SetWindowTextW(window, title.c_str());
  const HWND textControl = GetDlgItem(window, kProgressTextId);
  if (textControl && WindowText(textControl) != text) SetWindowTextW(textControl, text.c_str());
  if (const HWND barControl = GetDlgItem(window, kProgressBarId)) SendMessageW(barControl, PBM_SETPOS, WPARAM(bar), 0);
}

void DestroyProgressWindow(HWND window) {
  HWND owner = nullptr;
  bool ownerWasDisabled = false;
  if (auto* state = StateSlot(window)) {
    std::lock_guard<std::mutex> hold((*state)->Lock);
    owner = (*state)->Owner;
    ownerWasDisabled = (*state)->OwnerWasDisabled;
  }
  const bool wasActive = GetActiveWindow() == window;
  // Windows: the owner must be enabled before its owned window goes, or the
  // activation passes to another application's window.
  if (owner && !ownerWasDisabled) EnableWindow(owner, TRUE);
  DestroyWindow(window);
  if (owner && wasActive && IsWindowEnabled(owner)) SetActiveWindow(owner);
}

void CloseProgressWindow(HWND window) {
  if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    DestroyProgressWindow(window);
    return;
  }
  SetWindowLongPtrW(window, GWLP_USERDATA, 1);
  PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace quor
