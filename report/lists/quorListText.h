// The texts of the "modules" and "processes" report sections: one aligned
// line per module or process. Platform-free; the Windows side collects the rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quor {

struct ModuleRow {
  uint64_t base = 0;
  std::string path;     // full path
  std::string version;  // "1.2.3.4", or empty
};

struct ProcessRow {
  uint32_t id = 0;
  std::string path;        // full path, or the image name alone
  uint32_t session = 0;
  int32_t priority = -1;   // priority class; -1 unknown
};

// Base (at least eight lower-case hexadecimal digits), file name, version
// and folder in aligned columns; lines joined by CR LF.
[[nodiscard]] std::string ModulesText(const std::vector<ModuleRow>& rows);

// "normal", "idle", "high", "realtime", "below normal", "above normal";
// empty for 0 and -1; "$" and lower-case hexadecimal digits otherwise.
[[nodiscard]] std::string PriorityText(int32_t priorityClass);

// Id, file name, session (only when a process runs in a session other than
// 0), priority and folder in aligned columns; lines joined by CR LF.
[[nodiscard]] std::string ProcessesText(const std::vector<ProcessRow>& rows);

}  // namespace quor
