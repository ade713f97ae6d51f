// One WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor, so
// the update region is validated even when painting throws.
// Windows: a window whose WM_PAINT skips EndPaint keeps its update region and
// receives WM_PAINT again at once, for ever.
#pragma once

#include <windows.h>

namespace base {

class PaintScope {
public:
  explicit PaintScope(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC dc() const noexcept { return dc_; }
  const PAINTSTRUCT& paint() const noexcept { return paint_; }

private:
  HWND window_;
  PAINTSTRUCT paint_;
  HDC dc_;
};

}  // namespace base
