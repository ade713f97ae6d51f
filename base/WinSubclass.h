// A window procedure put in front of a window's own through comctl32's
// subclass chain, taken out again when the owner ends. The procedure must
// call Remove() on WM_NCDESTROY when the window can die before the owner.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace base {

class WindowSubclass {
public:
  WindowSubclass() noexcept = default;
  WindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) noexcept
      : window_(SetWindowSubclass(window, procedure, id, data) ? window : nullptr), procedure_(procedure), id_(id) {}
  ~WindowSubclass() { Remove(); }
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  explicit operator bool() const noexcept { return window_ != nullptr; }

  void Remove() noexcept {
    if (window_) RemoveWindowSubclass(window_, procedure_, id_);
    window_ = nullptr;
  }

private:
  HWND window_ = nullptr;
  SUBCLASSPROC procedure_ = nullptr;
  UINT_PTR id_ = 0;
};

}  // namespace base
