#include "report/lists/quorMsgHandlers.h"

#include <algorithm>
#include <array>

namespace quor {

namespace {

// WM_QUERYENDSESSION, WM_QUIT, WM_SYSCOLORCHANGE, WM_ENDSESSION,
// WM_SYSTEMERROR, WM_SETTINGCHANGE, WM_DEVMODECHANGE, WM_ACTIVATEAPP,
// WM_FONTCHANGE, WM_TIMECHANGE, WM_SPOOLERSTATUS, WM_COMPACTING,
// WM_POWER, WM_INPUTLANGCHANGEREQUEST, WM_INPUTLANGCHANGE, WM_USERCHANGED,
// WM_DISPLAYCHANGE.
constexpr std::array<uint32_t, 17> kNotifications = {0x11, 0x12, 0x15, 0x16, 0x17, 0x1A, 0x1B, 0x1C, 0x1D,
                                                     0x1E, 0x2A, 0x41, 0x48, 0x50, 0x51, 0x54, 0x7E};
constexpr uint32_t kFirstPassedOn = 0x218;

bool Uses(const TMsgHandlers& handlers, uint32_t message) {
  return std::any_of(handlers.begin(), handlers.end(), [&](const TMsgHandler& h) { return h.Message == message; });
}

}  // namespace

uint32_t AddMsgHandler(TMsgHandlers& handlers, TMsgHandler handler) {
  if (handler.Message == 0) {
    handler.Message = kFirstFreeMessage;
    while (Uses(handlers, handler.Message)) ++handler.Message;
  } else if (std::any_of(handlers.begin(), handlers.end(), [&](const TMsgHandler& h) {
               return h.Message == handler.Message && h.SameHandler(handler);
             })) {
    return 0;
  }
  handlers.push_back(handler);
  return handler.Message;
}

void RemoveMsgHandlers(TMsgHandlers& handlers, const TMsgHandler& handler) {
  for (size_t i = 0; i < handlers.size();) {
    if (handlers[i].SameHandler(handler) && (handler.Message == 0 || handlers[i].Message == handler.Message)) {
      handlers[i] = handlers.back();
      handlers.pop_back();
    } else {
      ++i;
    }
  }
}

bool IsHandledMessage(uint32_t message) {
  return message >= kFirstPassedOn ||
         std::find(kNotifications.begin(), kNotifications.end(), message) != kNotifications.end();
}

}  // namespace quor
