#include "report/storage/quorExceptSend.h"

#include <cstring>
#include <new>

#include "report/delivery/quorSendBugReport.h"
#include "report/handling/quorExceptObject.h"
#include "report/intercept/quorProcessBlocked.h"
#include "report/storage/quorBugRepStore.h"
#include "report/storage/quorTempFolder.h"

namespace quor {

namespace {

// The pixels of the screenshot the exception attaches, for the send's own
// keeping (the user may replace the exception's picture meanwhile); none
// when it attaches none or the copy finds no memory.
std::shared_ptr<const NVPixels> AttachedScreenshot(TIQuorException& e) {
  if (!e.ScreenshotState().Attaches()) return nullptr;
  const std::shared_ptr<const INVBitmap> picture = e.Screenshot();
  if (!picture) return nullptr;
  const NVPixelView view = picture->Pixels();
  try {
    auto copy = std::make_shared<NVPixels>(view.width, view.height);
    for (uint32_t y = 0; y < view.height; ++y) std::memcpy(copy->TopRow(y), view.TopRow(y), view.RowBytes());
    return copy;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace

MailClientResult SendExceptionReport(TIQuorException& e, HWND parent, bool background, bool silent) {
  // The send may outlive the box and the pipeline: it holds the exception.
  const TExceptionRef keep(&e);
  SendReportRequest request;
  request.report = e.BugReport(true);
  request.screenshot = AttachedScreenshot(e);
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
