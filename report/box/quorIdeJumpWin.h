// Sends a call-stack row to a running development environment, which then
// shows the source line of the call.
#pragma once

#include <windows.h>

#include <string>

namespace quor {

// Takes `box` out of the topmost layer (the environment comes to the front)
// and sends the row text to the environment's message windows, waiting at
// most a second for each and giving up on one that hangs. Nothing happens
// when no environment runs.
void SendIdeJump(HWND box, const std::string& rowText);

}  // namespace quor
