#include "report/handling/quorBoxAdapter.h"

#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorFreezeWatchdog.h"
#include "report/storage/quorActionHook.h"
#include "report/storage/quorAutoActions.h"
#include "report/storage/quorBugRepStore.h"
#include "report/storage/quorExceptSend.h"
#include "report/storage/quorPrintReport.h"

namespace quor {
namespace {

std::vector<TBoxReportPart> Parts(IQuorFieldsEx& fields) {
  std::vector<TBoxReportPart> parts;
  for (TReportField& f : FieldsSnapshot(fields)) parts.push_back({std::move(f.Name), std::move(f.Content)});
  return parts;
}

}  // namespace

TBoxAdapter::TBoxAdapter(TIQuorException& exception, const TExceptionHistory& history, uint64_t now)
    : exception_(exception), history_(history), now_(now) {}

uint32_t TBoxAdapter::FrozenThreadId() {
  return exception_.Params().Kind == kKindFreeze ? MainThreadId() : 0;
}

std::vector<TBoxReportPart> TBoxAdapter::HeaderFields() { return Parts(*exception_.HeaderFields()); }

std::vector<TBoxReportPart> TBoxAdapter::Sections() { return Parts(*exception_.Sections()); }

void TBoxAdapter::RegisterReportChanged(TBoxReportChanged callback, void* context) {
  exception_.RegisterCallback(
      context, [callback, context](bool, const std::string&, TIQuorException&) { callback(context); }, false);
}

void TBoxAdapter::UnregisterReportChanged(TBoxReportChanged, void* context) { exception_.UnregisterCallback(context); }

bool TBoxAdapter::AutoCloseApplies() { return AutoActionDue(exception_.AutoClose(), history_, now_); }

bool TBoxAdapter::AutoRestartApplies() { return AutoActionDue(exception_.AutoRestart(), history_, now_); }

bool TBoxAdapter::ActionHook(int32_t action, HWND box) { return quor::ActionHook(action, box, exception_); }

void TBoxAdapter::Send(HWND box) { (void)SendExceptionReport(exception_, box, exception_.SendInBackgr(), false); }

void TBoxAdapter::FreezeBoxShown(HWND box) { CloseFreezeBoxOnAnswer(box); }

void TBoxAdapter::WaitForBackgroundSend() { WaitForLastSend(exception_, INFINITE); }

bool TBoxAdapter::Save(HWND box) {
  return StoreBugReport("", exception_.BugReport(true), box, exception_, false, &exception_);
}

void TBoxAdapter::Print(HWND box) { (void)PrintReport(exception_.BugReport(true), box, &exception_); }

void TBoxAdapter::Restart() {
  // As the pipeline's automatic restart: the successor first, so that a
  // failure to start it is in the stored report; the program then goes on.
  const TSuccessor successor = StartSuccessor(history_);
  if (successor.Error)
    (void)exception_.HeaderFields()->Add(
        "restart", "failed (error " + std::to_string(successor.Error) + "), the application goes on");
  FinishAutoActions(exception_, true);
  if (!successor.Error) HandOverToSuccessor(successor);
}

void TBoxAdapter::Close() {
  FinishAutoActions(exception_, true);
  CloseProcess();
}

}  // namespace quor
