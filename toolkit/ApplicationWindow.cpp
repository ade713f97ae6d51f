#include "toolkit/ApplicationWindow.h"

#include "toolkit/Menus.h"
#include "toolkit/SysUtils.h"

namespace tk {

namespace {

const wchar_t kClassName[] = L"TkApplication";
const wchar_t kSelfProp[] = L"TkApplicationWindow";

}  // namespace

HWND TApplicationWindow::Handle() {
  if (handle_) return handle_.get();
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    // A second registration (the class outlived an earlier application
    // object) fails harmlessly; the class is the same.
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (!registered) throw EOutOfResources("Cannot register the application window class");
  // A tool window is never on the taskbar, and a popup without WS_VISIBLE
  // never shows.
  handle_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
  if (!handle_) throw EOutOfResources("Cannot create the application window");
  SetPropW(handle_.get(), kSelfProp, this);
  return handle_.get();
}

LRESULT CALLBACK TApplicationWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TApplicationWindow*>(GetPropW(hwnd, kSelfProp));
  if (msg == WM_NCDESTROY) RemovePropW(hwnd, kSelfProp);
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->hooks_.Dispatch({msg, wParam, lParam}, [hwnd](const TMessage& m) { return Default(hwnd, m); });
}

LRESULT TApplicationWindow::Default(HWND hwnd, const TMessage& m) {
  switch (m.msg) {
    case WM_MEASUREITEM:
      if (TMenu::MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (TMenu::DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.lParam))) return TRUE;
      break;
    case WM_MENUCHAR:
      return TMenu::MenuChar(static_cast<wchar_t>(LOWORD(m.wParam)), reinterpret_cast<HMENU>(m.lParam));
    default:
      break;
  }
  return DefWindowProcW(hwnd, m.msg, m.wParam, m.lParam);
}

}  // namespace tk
