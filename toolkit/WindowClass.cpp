#include "toolkit/WindowClass.h"

#include <windows.h>

#include "toolkit/Controls.h"

namespace tk {

const wchar_t* ToolkitWindowClass() {
  static const wchar_t kName[] = L"TkWindow";
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ToolkitWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    wc.lpszClassName = kName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  return kName;
}

}  // namespace tk
