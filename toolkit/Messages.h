// Notifications the toolkit hands a control with Perform, so that they run
// through its message hooks like window messages: a property changed, the
// parent passes a message on, or a key is reflected to the control before
// the window's own procedure sees it.
#pragma once

#include <windows.h>

namespace tk {

// The mode of the control ends (the system's WM_CANCELMODE reached its
// window, or its parent's for a graphic control): drop captures and presses.
constexpr UINT CM_CANCELMODE = 0xB004;
// A key the dialog manager would use (Enter, Esc, Tab, arrows); wParam the
// virtual key. A nonzero answer means the control used it.
constexpr UINT CM_DIALOGKEY = 0xB005;
// The form hands it to all its windowed controls, lParam the window that
// has just taken the focus.
constexpr UINT CM_FOCUSCHANGED = 0xB007;
constexpr UINT CM_VISIBLECHANGED = 0xB00B;  // wParam the new Visible
constexpr UINT CM_ENABLEDCHANGED = 0xB00C;  // after the window's enabled state changed
constexpr UINT CM_TEXTCHANGED = 0xB012;     // after the caption or window text changed
// A parent hands them to a graphic child when the mouse comes over it and
// leaves it; windowed controls get them from their own mouse tracking.
constexpr UINT CM_MOUSEENTER = 0xB013;
constexpr UINT CM_MOUSELEAVE = 0xB014;
// A windowed control paints its background into wParam (a DC at its client
// origin); a nonzero answer means a hook painted it and the control's
// colour is not filled in.
constexpr UINT CM_PAINTBACKGROUND = 0xB015;
// The control or one of its parents was shown or hidden; wParam whether the
// control is showing now.
constexpr UINT CM_SHOWINGCHANGED = 0xB021;
// The WM_MOUSEWHEEL of the control's window, before the window's own
// procedure; a nonzero answer means it was used.
constexpr UINT CM_MOUSEWHEEL = 0xB043;
// WM_KEYDOWN and WM_KEYUP of the control's window reflected to it first;
// a nonzero answer means the key was used and the window does not get it.
constexpr UINT CN_KEYDOWN = 0xBD00;
constexpr UINT CN_KEYUP = 0xBD01;

// The block the toolkit's notifications live in (private to applications).
constexpr bool IsToolkitNotification(UINT msg) { return msg >= 0xB000 && msg < 0xC000; }

}  // namespace tk
