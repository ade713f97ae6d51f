#include "report/intercept/quorExceptIntegrity.h"

#include <windows.h>

#include <string>

#include "report/handling/quorExceptModules.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/symbols/quorImageCheckSum.h"
#include "report/text/quorLittleEndian.h"

namespace quor {

bool ModuleFileIntact(uintptr_t module) {
  const std::string path = ModulePath(module);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return true;
  bool intact = true;
  const DWORD size = GetFileSize(file, nullptr);
  if (HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr)) {
    if (const auto* bytes = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0))) {
      const size_t field = ImageCheckSumOffset(bytes, size);
      const uint32_t stored = field ? LoadLe32(bytes + field) : 0;
      if (stored != 0) intact = ImageCheckSum(bytes, size, field) == stored;
      UnmapViewOfFile(bytes);
    }
    CloseHandle(mapping);
  }
  CloseHandle(file);
  return intact;
}

void CheckModuleIntegrity(uintptr_t module, IQuorSettings& settings) {
  if (ModuleFileIntact(module)) return;
  // %modname% names the corrupt module, not the settings' one.
  const std::string text = ExpandPlaceholders(module, settings.UnexpandedText("BitFaultMsg"), "", "");
  MessageBoxA(nullptr, text.c_str(), "", MB_OK | MB_ICONERROR);
  if (module == reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))) ExitProcess(0);
}

}  // namespace quor
