// The skin-change animation of a form: the picture the screen shows with
// the old skin fades into the form painted with the new one, on an output
// window laid over the form.
#pragma once

#include <windows.h>

#include <cstdint>

namespace skin {

// Caption of the output window that carries the frames.
inline constexpr wchar_t kOutputWindowCaption[] = L"orvOutputWindow";

// Runs the animation over `form`, whose redrawing the caller has switched
// off while it still shows the old skin. At the end the form's redrawing is
// switched on and the form redrawn with its children before the output
// window goes, so the screen never shows anything but a frame or the form.
void AnimateSkinChange(HWND form, uint16_t timeMs);

}  // namespace skin
