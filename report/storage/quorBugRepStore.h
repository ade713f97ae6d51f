// Keeping a finished report: the bug report file (appended in place, same
// faults folded, trimmed to its size limit), the clipboard, and the ends of
// the process (restart with the exception history handed over, close).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "report/handling/quorExceptionHistory.h"
#include "report/settings/quorSettings.h"
#include "report/storage/quorBugRepFile.h"

namespace quor {

class TIQuorException;

// Writes `report` into `fileName`. With an empty name: `automatic` writes
// into BugRepFile (a relative name lies beside the executable) and marks
// `exception` as stored; otherwise the user picks the file in a Save As
// dialog owned by `parent` (a blocked process only beeps). False when
// nothing was stored.
[[nodiscard]] bool StoreBugReport(const std::string& fileName, const std::string& report, HWND parent,
                                  IQuorSettings& settings, bool automatic, TIQuorException* exception);

// Empties the clipboard and puts `text` into it as plain text.
[[nodiscard]] bool CopyToClipboard(const std::string& text);

// Restarting: the own command line started again, suspended, with the
// exception history handed over through the mapping
// "QuorExceptRestart$<new pid>"; Error says why it could not be started.
struct TSuccessor {
  PROCESS_INFORMATION Process{};
  DWORD Error = 0;
};
[[nodiscard]] TSuccessor StartSuccessor(const TExceptionHistory& history);
// Lets a started successor run and ends this process (exit code 2).
[[noreturn]] void HandOverToSuccessor(const TSuccessor& successor);
// Ends the process at once with exit code 1.
[[noreturn]] void CloseProcess();

// At start-up: takes over the history of a predecessor that restarted us.
void TakeOverRestartHistory(TExceptionHistory& history);

namespace seams {
// Tests: edits the mapped bug report file in place of EditBugReportFile.
inline size_t (*editBugReportFile)(char* buffer, size_t fileLength, size_t capacity, std::string_view report,
                                   const TBugRepEditOptions& options) = nullptr;
}  // namespace seams

}  // namespace quor
