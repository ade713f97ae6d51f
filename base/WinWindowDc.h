// A window's DC from GetDC (client area; null: the screen) or GetWindowDC
// (the whole window, frame included), released with ReleaseDC on the same
// window.
#pragma once

#include <windows.h>

namespace base {

class WindowDc {
public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  struct WholeWindow {};
  WindowDc(HWND window, WholeWindow) noexcept : window_(window), dc_(GetWindowDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
  HWND window_;
  HDC dc_;
};

}  // namespace base
