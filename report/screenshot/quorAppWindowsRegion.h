// What of the process's own top-level windows can be seen on the screen:
// each visible, non-minimised window less the visible, non-minimised
// windows above it in the z-order (of any process).
#pragma once

#include <windows.h>

#include <optional>

#include "base/WinGdiObject.h"

namespace quor {

struct TAppWindowsRegion {
  RECT bounds{};                   // screen coordinates, within the area asked for
  base::GdiObject<HRGN> region;    // relative to bounds' top left corner, never empty
};

// The part of `area` (screen coordinates) the process's windows show; none
// when no own window is visible there.
[[nodiscard]] std::optional<TAppWindowsRegion> VisibleAppWindows(const RECT& area);

}  // namespace quor
