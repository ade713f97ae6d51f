// Selects a GDI object into a DC for a scope: the object selected before
// comes back at the end.
#pragma once

#include <windows.h>

namespace base {

class Selection {
public:
  Selection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() {
    if (old_) SelectObject(dc_, old_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace base
