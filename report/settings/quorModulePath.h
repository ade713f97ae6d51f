// The file of a loaded module.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

// Full path of a module (0: the executable); empty when there is no such
// module or its path does not fit MAX_PATH.
[[nodiscard]] std::string ModulePath(uintptr_t module);

}  // namespace quor
