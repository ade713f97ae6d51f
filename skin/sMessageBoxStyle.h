// What the skin engine's message box looks like for a kind of message and a
// set of buttons: its caption and the system's style bits. Platform-free:
// the style bits are the system's numbers, named here.
#pragma once

#include <cstdint>
#include <string>

namespace skin {

enum class TMsgKind : uint8_t { Warning, Error, Information, Confirm };

enum TMsgButton : uint16_t {
  mbYes = 1,
  mbNo = 2,
  mbOK = 4,
  mbCancel = 8,
  mbAbort = 16,
  mbRetry = 32,
  mbIgnore = 64,
  mbHelp = 128,
};

// The system's message-box styles and answers.
namespace mbs {
inline constexpr uint32_t Ok = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
inline constexpr uint32_t IconError = 0x10, IconQuestion = 0x20, IconWarning = 0x30, IconInformation = 0x40;
inline constexpr uint32_t Help = 0x4000;
inline constexpr int32_t IdOk = 1, IdCancel = 2;
}  // namespace mbs

struct TMessageBoxStyle {
  std::string Caption;  // "Warning", "Error", "Information", "Confirm"
  uint32_t Flags = 0;
};

// OK alone or with Cancel; without OK: Abort or Ignore give abort, retry and
// ignore, else Yes or No give yes and no (with Cancel: and cancel), else
// Retry gives retry and cancel; Help adds the help button; the kind's icon
// goes with every set.
TMessageBoxStyle MessageBoxStyle(TMsgKind kind, uint16_t buttons);

// The answer the caller gets for the box's answer. Cancel alone has no box
// of its own and shows the one-button box: its button answers as the
// Cancel the caller offered, not as an OK it never asked for.
int32_t MessageBoxAnswer(uint16_t buttons, int32_t answer);

}  // namespace skin
