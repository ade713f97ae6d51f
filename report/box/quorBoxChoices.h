// The exception box's decisions that need no window: which button a close
// request (Escape, the close box) clicks, and which button counts down
// (platform-free).
#pragma once

#include <cstdint>

#include "report/box/quorBoxKind.h"

namespace quor {

struct TBoxExits {
  bool continueButton = false;  // button 4 exists
  bool restartButton = false;   // button 5 exists
  bool closeButton = false;     // button 6 exists
  bool canContinue = false;     // the application can go on after the exception
};

enum class TCloseRequest : uint8_t { Nothing, Continue, Restart, CloseApp };

// FocusedBtn (low 7 bits) 4, 5, 6 picks continue, restart, close; otherwise
// continue when possible, else close, else restart; in the simple and detail
// box the application is closed as a last resort, the full box stays open.
[[nodiscard]] TCloseRequest ResolveCloseRequest(int32_t focusedBtn, TBoxKind kind, const TBoxExits& exits);

struct TBoxAutoActions {
  bool closeApplies = false;    // AutoClose applies (never, always, or by the recent history)
  bool restartApplies = false;  // the same for AutoRestart
  bool autoContinue = false;
};

// The button that counts down, in the order close, restart, continue; each
// only with its button there (and continue only when possible). -1: none.
[[nodiscard]] int32_t AutoButton(const TBoxAutoActions& actions, const TBoxExits& exits);

// The FocusedBtn value's button: only the low 7 bits count.
[[nodiscard]] inline int32_t FocusedButton(int32_t focusedBtn) { return focusedBtn & 0x7F; }

}  // namespace quor
