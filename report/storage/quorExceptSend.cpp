#include "report/storage/quorExceptSend.h"

#include "report/delivery/quorSendBugReport.h"
#include "report/handling/quorExceptObject.h"
#include "report/intercept/quorProcessBlocked.h"
#include "report/storage/quorBugRepStore.h"
#include "report/storage/quorTempFolder.h"

namespace quor {

MailClientResult SendExceptionReport(TIQuorException& e, HWND parent, bool background, bool silent) {
  // The send may outlive the box and the pipeline: it holds the exception.
  const TExceptionRef keep(&e);
  SendReportRequest request;
  request.report = e.BugReport(true);
  request.parent = parent;
  request.background = background;
  request.silent = silent;
  SendReportContext context;
  context.tempFolder = TempFolder();
  const std::string report = request.report;
  // The copy for sending is no bug report file of the exception's.
  context.storeReport = [keep, report](const std::string& file) {
    return StoreBugReport(file, report, nullptr, *keep, true, nullptr);
  };
  context.reportStored = e.Stored;
  context.processBlocked = [](uint32_t waitMs) { return ProcessBlocked(waitMs); };
  context.markSent = [keep] { keep->Sent = true; };
  WaitForLastSend(e, INFINITE);
  base::KernelHandle thread;
  const MailClientResult result = SendBugReportEx(QuorPtr<IQuorModuleSettings>(&e), request, context, &thread);
  if (thread) e.SetLastSend(std::move(thread));
  return result;
}

void WaitForLastSend(TIQuorException& e, DWORD waitMs) {
  if (HANDLE h = e.LastSend()) WaitForSingleObject(h, waitMs);
}

}  // namespace quor
