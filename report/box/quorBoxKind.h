// The three forms of the exception box and the indexes of its buttons and
// icons.
#pragma once

#include <cstdint>

namespace quor {

enum class TBoxKind : uint8_t {
  Full,    // up to seven owner-drawn buttons, optionally the details view
  Detail,  // the message with "OK" and "Details"
  Simple,  // the message with "OK"
};

// Buttons 0-6 and the two icons without a button of their own.
enum TBoxButton : int32_t {
  kBoxSend = 0,
  kBoxSave = 1,
  kBoxPrint = 2,
  kBoxShow = 3,
  kBoxContinue = 4,
  kBoxRestart = 5,
  kBoxClose = 6,
  kBoxCantContinue = 7,  // icon of a disabled continue button
  kBoxBig = 8,           // the 32 x 32 picture beside the message
};
inline constexpr int32_t kBoxButtonCount = 7;
inline constexpr int32_t kBoxIconCount = 9;

}  // namespace quor
