#include "report/box/quorBoxChoices.h"

namespace quor {

TCloseRequest ResolveCloseRequest(int32_t focusedBtn, TBoxKind kind, const TBoxExits& exits) {
  switch (FocusedButton(focusedBtn)) {
    case kBoxContinue: return TCloseRequest::Continue;
    case kBoxRestart: return TCloseRequest::Restart;
    case kBoxClose: return TCloseRequest::CloseApp;
    default: break;
  }
  if (exits.continueButton && exits.canContinue) return TCloseRequest::Continue;
  if (exits.closeButton) return TCloseRequest::CloseApp;
  if (exits.restartButton) return TCloseRequest::Restart;
  return kind == TBoxKind::Full ? TCloseRequest::Nothing : TCloseRequest::CloseApp;
}

int32_t AutoButton(const TBoxAutoActions& actions, const TBoxExits& exits) {
  if (actions.closeApplies && exits.closeButton) return kBoxClose;
  if (actions.restartApplies && exits.restartButton) return kBoxRestart;
  if (actions.autoContinue && exits.continueButton && exits.canContinue) return kBoxContinue;
  return -1;
}

}  // namespace quor
