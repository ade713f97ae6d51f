// A window's client DC from GetDC, released with ReleaseDC on the same window (null:
// the screen).
#pragma once

#include <windows.h>

namespace base {

class WindowDc {
public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
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

// The whole window's DC from GetWindowDC (frame included), released with
// ReleaseDC: what a control paints its own border into.
class WindowFrameDc {
public:
  explicit WindowFrameDc(HWND window) noexcept : window_(window), dc_(GetWindowDC(window)) {}
  ~WindowFrameDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowFrameDc(const WindowFrameDc&) = delete;
  WindowFrameDc& operator=(const WindowFrameDc&) = delete;

  HDC get() const noexcept { return dc_; }

private:
  HWND window_;
  HDC dc_;
};

}  // namespace base
