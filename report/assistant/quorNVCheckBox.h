// A system check box painted by the assistant form: a flat box with the
// check mark of the "Marlett" font, the caption in the box's own font and a
// focus rectangle. Clicks, keys, the check state and what automation reads
// stay the system button's.
#pragma once

#include <windows.h>

namespace quor {

// Paints `box` from now on, until the window is destroyed. False when the
// window could not be subclassed (then the system paints it).
bool PaintNVCheckBox(HWND box);

}  // namespace quor
