// A window and its child windows painted into a bitmap as the screen would
// show them, without drawing on the screen (skin-change animation).
#pragma once

#include <windows.h>

#include "skin/sBitmap24.h"

namespace skin {

// Paints the client areas of the window and of every child window whose
// style is visible (bottom of the z-order first) into bmp, which covers the
// window's whole rectangle. Pixels no window paints (frames, borders) keep
// what bmp held.
void PaintWindowPicture(HWND window, TsBitmap24& bmp);

}  // namespace skin
