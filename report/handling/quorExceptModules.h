// Loaded modules as the reporter sees them: which module holds an address,
// whether it is the program's own code, and its file name (full paths:
// report/settings/quorModulePath.h).
#pragma once

#include <cstdint>
#include <string>

namespace quor {

// The module that contains the reporter (the executable in this program).
[[nodiscard]] uintptr_t OwnModule();
// True when `address` lies in the code of the reporter's module.
[[nodiscard]] bool IsOwnCode(uint32_t address);
// The file name without folder of the module that holds `address`; empty
// when none does.
[[nodiscard]] std::string ModuleFileNameOf(uint32_t address);

}  // namespace quor
