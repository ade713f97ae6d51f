// The reporter's window for messages to the main thread: a message-only
// window that the main thread creates at start-up. A handler registered for
// a message number runs in the main thread when that message arrives.
#pragma once

#include <cstdint>

namespace quor {

using TMessageHandler = void (*)(uintptr_t wParam, intptr_t lParam);

// In the main thread, at start-up; false when the window cannot be made.
[[nodiscard]] bool CreateMessageWindow();
void DestroyMessageWindow();
// The window (an HWND), or 0.
[[nodiscard]] uintptr_t MessageWindow();

// At most one handler per message; false when the table is full.
[[nodiscard]] bool AddMessageHandler(uint32_t message, TMessageHandler handler);
void RemoveMessageHandler(uint32_t message);

}  // namespace quor
