// Sending an exception's report: from the box's Send button and
// automatically (AutoSend). The exception keeps the last background send,
// so that closing or restarting waits for it instead of losing it.
#pragma once

#include <windows.h>

#include "report/delivery/quorMailClient.h"

namespace quor {

class TIQuorException;

// The report (complete) with the ways the settings name; `parent` owns the
// progress window and any message. A send in the background answers Sent
// at once.
MailClientResult SendExceptionReport(TIQuorException& exception, HWND parent, bool background, bool silent);

// Until the exception's last background send has ended, at most `waitMs`.
void WaitForLastSend(TIQuorException& exception, DWORD waitMs);

}  // namespace quor
