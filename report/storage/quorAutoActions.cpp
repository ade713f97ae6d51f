#include "report/storage/quorAutoActions.h"

#include "report/handling/quorExceptObject.h"
#include "report/storage/quorBugRepStore.h"

namespace quor {

namespace {

void AutoSaveReport(TIQuorException& e) {
  if (!e.AutoSave() || !e.ClaimAutoSave()) return;
  (void)StoreBugReport("", e.BugReport(true), nullptr, e, true, &e);
}

}  // namespace

void FinishAutoActions(TIQuorException& e, bool wait) {
  if (e.CallbackWantsComplete()) (void)e.BugReport(true);
  AutoSaveReport(e);
  (void)wait;  // no automatic send runs before delivery exists, so nothing to wait for
}

}  // namespace quor
