#include "report/storage/quorAutoActions.h"

#include "report/handling/quorExceptObject.h"
#include "report/storage/quorBugRepStore.h"
#include "report/storage/quorExceptSend.h"

namespace quor {

namespace {

void AutoSaveReport(TIQuorException& e) {
  if (!e.AutoSave() || (e.AutoSaveIfNotSent() && e.Sent) || !e.ClaimAutoSave()) return;
  (void)StoreBugReport("", e.BugReport(true), nullptr, e, true, &e);
}

}  // namespace

void FinishAutoActions(TIQuorException& e, bool wait) {
  if (e.CallbackWantsComplete()) (void)e.BugReport(true);
  // The process may end next: a send still running finishes first, bounded
  // by its own time-outs.
  if (wait) WaitForLastSend(e, INFINITE);
  AutoSaveReport(e);
}

}  // namespace quor
