#include "report/lists/quorSystemLibraries.h"

namespace quor {

namespace {

template <typename F>
void Find(F& function, HMODULE library, const char* name) {
  if (library)
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

TSystemLibraries Resolve() {
  TSystemLibraries t;
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  Find(t.GetTickCount64, kernel, "GetTickCount64");
  Find(t.GetNativeSystemInfo, kernel, "GetNativeSystemInfo");
  Find(t.GlobalMemoryStatusEx, kernel, "GlobalMemoryStatusEx");
  // Stay loaded for the life of the process: a report may need them at
  // any time, and unloading would take the loader lock again at the end.
  const HMODULE advapi = LoadLibraryA("advapi32.dll");
  Find(t.CheckTokenMembership, advapi, "CheckTokenMembership");
  const HMODULE wts = LoadLibraryA("wtsapi32.dll");
  Find(t.WTSQuerySessionInformationA, wts, "WTSQuerySessionInformationA");
  Find(t.WTSFreeMemory, wts, "WTSFreeMemory");
  const HMODULE setup = LoadLibraryA("setupapi.dll");
  Find(t.SetupDiGetClassDevsA, setup, "SetupDiGetClassDevsA");
  Find(t.SetupDiDestroyDeviceInfoList, setup, "SetupDiDestroyDeviceInfoList");
  Find(t.SetupDiEnumDeviceInfo, setup, "SetupDiEnumDeviceInfo");
  Find(t.SetupDiGetDeviceRegistryPropertyA, setup, "SetupDiGetDeviceRegistryPropertyA");
  return t;
}

}  // namespace

const TSystemLibraries& SystemLibraries() {
  static const TSystemLibraries table = Resolve();
  return table;
}

}  // namespace quor
