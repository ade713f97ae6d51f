// Hidden per-thread windows through which a thread receives messages: a
// handler registered for a thread runs in that thread when its window gets
// the message. The list of windows and every window's handlers are shared
// by the process's threads under one lock.
#pragma once

#include <cstdint>

#include "report/lists/quorMsgHandlers.h"

namespace quor {

// The thread's window (an HWND), or 0. Thread id 0 means the calling thread.
// Only the thread itself creates its window, on the first call for it.
[[nodiscard]] uintptr_t FindMessageHandlerWindow(uint32_t threadId);

// Registers the handler on the thread's window and returns the message
// number used (message 0: a free number from 1024 up); 0 when the thread
// has no window or the handler is already registered for that message.
[[nodiscard]] uint32_t AddMessageHandler(TMsgHandlerProc handler, uint32_t message, uint32_t threadId);
[[nodiscard]] uint32_t AddMessageHandler(TMsgHandlerMethod handler, void* object, uint32_t message,
                                         uint32_t threadId);

// Removes the handler's entries for the message (0: every message); the
// window goes with its last handler.
void RemoveMessageHandler(TMsgHandlerProc handler, uint32_t message, uint32_t threadId);
void RemoveMessageHandler(TMsgHandlerMethod handler, void* object, uint32_t message, uint32_t threadId);

}  // namespace quor
