// The integrity check of a module file: its image check sum, when the header
// stores one, must match the file. A corrupt executable shows BitFaultMsg and
// ends the process with exit code 0.
#pragma once

#include <cstdint>

#include "report/settings/quorSettings.h"

namespace quor {

// True when the file passes (no stored sum, or it matches, or the file
// cannot be read).
[[nodiscard]] bool ModuleFileIntact(uintptr_t module);
void CheckModuleIntegrity(uintptr_t module, IQuorSettings& settings);

}  // namespace quor
