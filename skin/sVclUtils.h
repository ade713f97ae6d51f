// Handing skin commands to controls: to one control, and down through a
// container's children (the child broadcast).
#pragma once

#include <windows.h>

#include <cstdint>

#include "toolkit/Controls.h"

namespace skin {

// Sends SM_SKINCMD to a control: a windowed control through its window (so
// that subclassed window procedures see it), and only while the window
// exists and the control is not being destroyed (0 otherwise); a graphic
// control straight to its handler.
LRESULT SendSkinCommand(tk::TControl* control, uint16_t command, LPARAM lParam, uint16_t argument = 0);

// Asks a control a yes-or-no skin question (lParam 0) through its handler,
// which answers also before its window exists: true when it answers 1.
bool QuerySkinCommand(tk::TControl* control, uint16_t command);

// True when the control answers SKC_ISSKINNED.
bool IsSkinnedControl(tk::TControl* control);

// Passes a message to the children of `parent` in order, stopping at the
// first child that is being destroyed: graphic children get it directly,
// windowed children that answer SKC_ISSKINNED get it sent to their window,
// other windowed children pass it on to theirs. An exception from a child
// is swallowed and the broadcast goes on.
void BroadcastToChildren(tk::TWinControl* parent, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace skin
