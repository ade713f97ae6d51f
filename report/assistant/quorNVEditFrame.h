// The one-pixel frame of an assistant form's edit: the window-frame colour,
// button shadow while the edit has the focus. The edit itself, its text and
// scroll bar stay the system's.
#pragma once

#include <windows.h>

namespace quor {

// Draws `edit`'s frame from now on, until the window is destroyed; the edit
// must have WS_BORDER. False when the window could not be subclassed (then
// the system's frame stays).
bool FrameNVEdit(HWND edit);

}  // namespace quor
