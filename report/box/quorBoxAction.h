// The exception box's action codes: what a button (or F1) tells the action
// hook before it does its work.
#pragma once

#include <cstdint>

namespace quor {

enum TBoxAction : int32_t {
  BoxActionSend = 0,
  BoxActionSave = 1,
  BoxActionPrint = 2,
  BoxActionShowReport = 6,
  BoxActionHelp = 7,
  BoxActionContinue = 8,
  BoxActionRestart = 9,
  BoxActionClose = 10,
};

}  // namespace quor
