// Editing the bug report file: a text of reports, each followed by CR LF CR LF
// and starting with its header line "date/time". A new report is appended, an
// earlier report of the same fault is folded into it (its "count" line says
// how often the fault happened) and the oldest reports are dropped to keep the
// file below its size limit. The editor works in place on a byte buffer (the
// mapped file), moving bytes instead of rewriting the whole file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

struct TBugRepEditOptions {
  bool Append = true;      // AppendBugReps: keep the earlier reports
  bool NoDup = true;       // NoDupExcepts or NoDupFreezes, whichever applies
  int32_t DupDef = 1;      // DupExceptDef or DupFreezeDef: 0, 1 or 2
  uint32_t SizeLimit = 0;  // BugRepFileSize; 0: no limit
};

// The value of the header line `name` of the report that starts at the
// beginning of `report` (the header ends at the first empty line); empty when
// the report has no such line.
[[nodiscard]] std::string_view ReportHeaderValue(std::string_view report, std::string_view name);

// The duplicate key of a new report: its "callstack crc" value cut to 9, 20
// or 31 characters by DupDef; empty when NoDup is off or the value is not the
// complete 31-character form.
[[nodiscard]] std::string DuplicateKey(std::string_view report, bool noDup, int32_t dupDef);

// The buffer size EditBugReportFile needs for a file of `fileLength` bytes
// and a new report of `reportLength` bytes.
[[nodiscard]] size_t BugRepEditCapacity(size_t fileLength, size_t reportLength);

// Edits the file held in buffer[0, fileLength) whose capacity is at least
// BugRepEditCapacity(fileLength, report.size()): folds a duplicate, trims,
// then writes the report and CR LF CR LF after what remains. Returns the new
// file length. Any bytes are accepted as file content.
[[nodiscard]] size_t EditBugReportFile(char* buffer, size_t fileLength, size_t capacity, std::string_view report,
                                       const TBugRepEditOptions& options);

}  // namespace quor
