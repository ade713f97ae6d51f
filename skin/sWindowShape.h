// Gives a window the shape of its rectangle without the given cut-outs
// (window coordinates); without cut-outs the window is a plain rectangle
// again. The system owns the region once it is set.
#pragma once

#include <windows.h>

#include <vector>

#include "skin/sFrameLayout.h"

namespace skin {

void SetWindowShape(HWND window, int32_t width, int32_t height, const std::vector<TFrameRect>& cuts, bool redraw);

}  // namespace skin
