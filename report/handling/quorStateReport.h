// The current-state report: a bug report of the calling thread's present
// state with every thread listed; and the export by which an outside tool,
// through a thread it starts in this process, asks for that report.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

// Kind 1, source 0, every thread listed, no wait window; the complete text.
[[nodiscard]] std::string CurrentStateReport();

}  // namespace quor

// Names the calling thread "-" and shows the watchdog and the handler
// thread under their names for this one report. With a limit below 1 the
// report goes to the clipboard; otherwise it is written, zero-terminated and
// cut to limit - 1 characters, into the shared memory block
// "Global\quorTraceProcessMap" or "quorTraceProcessMap" that the tool has
// created. Returns 1 when the report was delivered, 0 otherwise; the calling
// thread's record is removed at the end.
extern "C" __declspec(dllexport) uint32_t __stdcall quorTraceProcess(int32_t limit);
