#include "report/settings/quorModulePath.h"

#include <windows.h>

namespace quor {

std::string ModulePath(uintptr_t module) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : 0);
}

}  // namespace quor
