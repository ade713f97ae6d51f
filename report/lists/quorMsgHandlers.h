// The handler list of a message-handler window: which handlers a thread's
// hidden window calls for which message. Platform-free; the window itself
// and the process-wide list of windows are in quorMsgHandlerWindow.
#pragma once

#include <cstdint>
#include <vector>

namespace quor {

// A handler gets the window, the message, wParam, the result of the
// default window procedure (which it may change) and lParam.
using TMsgHandlerProc = void (*)(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t* result,
                                 intptr_t lParam);
// The method form: the same call on an object.
using TMsgHandlerMethod = void (*)(void* object, uintptr_t window, uint32_t message, uintptr_t wParam,
                                   intptr_t* result, intptr_t lParam);

// Exactly one of Proc and Method is set.
struct TMsgHandler {
  uint32_t Message = 0;
  TMsgHandlerProc Proc = nullptr;
  TMsgHandlerMethod Method = nullptr;
  void* Object = nullptr;

  [[nodiscard]] bool SameHandler(const TMsgHandler& other) const {
    return Proc == other.Proc && Method == other.Method && Object == other.Object;
  }
  void Call(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t* result, intptr_t lParam) const {
    if (Proc)
      Proc(window, message, wParam, result, lParam);
    else
      Method(Object, window, message, wParam, result, lParam);
  }
};

using TMsgHandlers = std::vector<TMsgHandler>;

// The first message number handed out for a handler registered without one
// (WM_USER).
constexpr uint32_t kFirstFreeMessage = 1024;

// Appends the handler and returns its message number: with message 0 the
// lowest number from kFirstFreeMessage up that no entry uses. 0 (nothing
// appended) when the same handler is already there for that message.
[[nodiscard]] uint32_t AddMsgHandler(TMsgHandlers& handlers, TMsgHandler handler);

// Removes every entry of the same handler with the given message (0: any
// message); a removed entry takes the last one in its place.
void RemoveMsgHandlers(TMsgHandlers& handlers, const TMsgHandler& handler);

// The messages a handler window passes to its handlers: the system-wide
// notifications (session end, quit, colours, settings, fonts, time, power,
// input language, user and display changes) and every number from 0x218
// (WM_POWERBROADCAST) up.
[[nodiscard]] bool IsHandledMessage(uint32_t message);

}  // namespace quor
