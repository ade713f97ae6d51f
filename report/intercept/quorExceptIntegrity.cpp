#include "report/intercept/quorExceptIntegrity.h"

#include <windows.h>

#include <string>

#include "base/Address.h"
#include "base/WinHandle.h"
#include "base/WinMemory.h"
#include "report/settings/quorModulePath.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/symbols/quorImageCheckSum.h"
#include "report/text/quorLittleEndian.h"

namespace quor {

bool ModuleFileIntact(uintptr_t module) {
  const std::string path = ModulePath(module);
  const base::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return true;
  const DWORD size = GetFileSize(file.get(), nullptr);
  const base::KernelHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return true;
  const base::MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return true;
  const auto* bytes = static_cast<const uint8_t*>(view.get());
  const size_t field = ImageCheckSumOffset(bytes, size);
  const uint32_t stored = field ? LoadLe32(bytes + field) : 0;
  return stored == 0 || ImageCheckSum(bytes, size, field) == stored;
}

void CheckModuleIntegrity(uintptr_t module, IQuorSettings& settings) {
  if (ModuleFileIntact(module)) return;
  // %modname% names the corrupt module, not the settings' one.
  const std::string text = ExpandPlaceholders(module, settings.UnexpandedText("BitFaultMsg"), "", "");
  MessageBoxA(nullptr, text.c_str(), "", MB_OK | MB_ICONERROR);
  if (module == base::AddressOf(GetModuleHandleA(nullptr))) ExitProcess(0);
}

}  // namespace quor
