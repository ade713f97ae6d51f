// The mouse cursor drawn into a screenshot, as the user saw it.
#pragma once

#include <windows.h>

namespace quor {

// Draws the cursor, when one is showing, in its normal size into `dc`,
// whose pixel (0, 0) shows the screen point `origin`.
void DrawMouseCursor(HDC dc, POINT origin);

}  // namespace quor
