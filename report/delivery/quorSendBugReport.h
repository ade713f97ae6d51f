// Sending one bug report the ways the settings name: one network way (SMTP
// to the recipients' own mail servers, SMTP through a configured server, or
// an HTTP upload), then the user's mail program (Simple MAPI), then a mailto
// link; a message tells the user when every way failed. A send may run in a
// thread of its own while the caller goes on.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "base/WinHandle.h"
#include "report/delivery/quorMailClient.h"
#include "report/screenshot/quorNVPixels.h"
#include "report/settings/quorSettings.h"

namespace quor {

struct SendReportRequest {
  std::string report;
  std::shared_ptr<const NVPixels> screenshot;  // none: no screenshot attached
  HWND parent = nullptr;    // owner of the progress window and of any message
  bool background = false;  // send in a thread of its own
  bool silent = false;      // automatic: no mail program dialog, no mailto, no message
};

// What the exception side lends a send.
struct SendReportContext {
  std::string tempFolder;  // the reporter's temporary folder, ending with "\"
  // Writes the report into a bug report file; false when it could not.
  std::function<bool(const std::string& file)> storeReport;
  bool reportStored = false;  // the report is in the bug report file already
  // Whether the process is blocked (the loader lock held elsewhere), asked
  // for up to the given milliseconds; none: never blocked.
  std::function<bool(uint32_t waitMs)> processBlocked;
  std::function<void()> markSent;  // the exception's sent flag
};

// Sent, cancelled in the mail program, or failed. A background send answers
// Sent at once; its thread handle goes to `thread` when given.
MailClientResult SendBugReportEx(const QuorPtr<IQuorModuleSettings>& settings, const SendReportRequest& request,
                                 const SendReportContext& context, base::KernelHandle* thread = nullptr);

}  // namespace quor
