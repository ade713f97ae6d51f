// The rows of the "modules" and "processes" sections, collected from the
// running system, and the registration of the built-in list plug-ins.
#pragma once

#include <vector>

#include "report/lists/quorListText.h"

namespace quor {

// Every module mapped into this process, in address order. The walk stops
// at a failed query or where the next address would wrap.
[[nodiscard]] std::vector<ModuleRow> LoadedModules();

// Every process of the system, in the order the system lists them; a
// process that cannot be opened keeps its image name and an empty priority.
[[nodiscard]] std::vector<ProcessRow> RunningProcesses();

// Loads the libraries the report's facts look up at run time, and registers
// "hardware", "processes" and "modules" (own sections) with the plug-in list.
void RegisterListPlugins();

}  // namespace quor
