#include "skin/sMessageBoxStyle.h"

#include <iterator>

namespace skin {

namespace {

struct TKindLook {
  const char* Caption;
  uint32_t Icon;
};
constexpr TKindLook kKinds[] = {
    {"Warning", mbs::IconWarning},
    {"Error", mbs::IconError},
    {"Information", mbs::IconInformation},
    {"Confirm", mbs::IconQuestion},
};

uint32_t ButtonSet(uint16_t b) {
  if (b & mbOK) return b & mbCancel ? mbs::OkCancel : mbs::Ok;
  if (b & (mbAbort | mbIgnore)) return mbs::AbortRetryIgnore;
  if (b & (mbYes | mbNo)) return b & mbCancel ? mbs::YesNoCancel : mbs::YesNo;
  if (b & mbRetry) return mbs::RetryCancel;
  return mbs::Ok;
}

bool CancelAlone(uint16_t b) { return (b & ~mbHelp) == mbCancel; }

}  // namespace

TMessageBoxStyle MessageBoxStyle(TMsgKind kind, uint16_t buttons) {
  const TKindLook& look = kKinds[static_cast<uint8_t>(kind) % std::size(kKinds)];
  return {look.Caption, ButtonSet(buttons) | look.Icon | (buttons & mbHelp ? mbs::Help : 0)};
}

int32_t MessageBoxAnswer(uint16_t buttons, int32_t answer) {
  return CancelAlone(buttons) && answer == mbs::IdOk ? mbs::IdCancel : answer;
}

}  // namespace skin
