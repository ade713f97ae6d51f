// Loaded modules as the reporter sees them: which module holds an address,
// its file name, and the code ranges of all modules (the candidates of a
// call stack must lie in code).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quor {

// The module that contains the reporter (the executable in this program).
[[nodiscard]] uintptr_t OwnModule();
// True when `address` lies in the code of the reporter's module.
[[nodiscard]] bool IsOwnCode(uint32_t address);
// The file name without folder of the module that holds `address`; empty
// when none does.
[[nodiscard]] std::string ModuleFileNameOf(uint32_t address);
// Full path of a module (0: the executable).
[[nodiscard]] std::string ModulePath(uintptr_t module);

struct TCodeRange {
  uint32_t Begin = 0, End = 0;  // [Begin, End)
  std::string Module;           // file name without folder
};

// The code ranges of every loaded module, sorted by address.
[[nodiscard]] std::vector<TCodeRange> LoadedCodeRanges();
[[nodiscard]] const TCodeRange* FindCodeRange(const std::vector<TCodeRange>& ranges, uint32_t address);

}  // namespace quor
