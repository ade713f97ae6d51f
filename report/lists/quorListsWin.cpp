#include "report/lists/quorListsWin.h"

#include <windows.h>
#include <tlhelp32.h>

#include "base/WinAnsi.h"
#include "base/WinHandle.h"
#include "report/lists/quorListHardwareWin.h"
#include "report/lists/quorReportPlugins.h"
#include "report/lists/quorSystemLibraries.h"
#include "report/settings/quorModuleVersion.h"

namespace quor {

std::vector<ModuleRow> LoadedModules() {
  std::vector<ModuleRow> rows;
  const void* previousBase = nullptr;
  for (uintptr_t at = 0;;) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info) != sizeof info) break;
    const void* base = info.AllocationBase;
    if (info.State == MEM_COMMIT && base != previousBase && base == info.BaseAddress) {
      char path[MAX_PATH] = {};
      const HMODULE module = static_cast<HMODULE>(const_cast<void*>(base));
      if (const DWORD n = GetModuleFileNameA(module, path, MAX_PATH)) {
        std::string file(path, n);
        std::string version = FileVersionOfPath(file);
        rows.push_back({reinterpret_cast<uintptr_t>(base), std::move(file), std::move(version)});
      }
    }
    if (info.State == MEM_COMMIT) previousBase = base;
    const uintptr_t next = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;  // the address space ends here
    at = next;
  }
  return rows;
}

std::vector<ProcessRow> RunningProcesses() {
  std::vector<ProcessRow> rows;
  const base::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return rows;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    ProcessRow row;
    row.id = entry.th32ProcessID;
    row.path = entry.th32ProcessID ? base::WideToAnsi(entry.szExeFile) : "Idle";
    DWORD session = 0;
    if (ProcessIdToSessionId(row.id, &session)) row.session = session;
    if (row.id) {
      const base::KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, row.id));
      if (process) {
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (QueryFullProcessImageNameA(process.get(), 0, path, &size)) row.path.assign(path, size);
        if (const DWORD priority = GetPriorityClass(process.get())) row.priority = static_cast<int32_t>(priority);
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

void RegisterListPlugins() {
  // The libraries the facts and lists need are loaded now, at start-up:
  // a report may be built while another thread holds the loader lock.
  (void)SystemLibraries();
  AddReportPlugin({"hardware", "list of installed hardware", [](void*) { return HardwareText(InstalledHardware()); },
                   true});
  AddReportPlugin({"processes", "list of running processes", [](void*) { return ProcessesText(RunningProcesses()); },
                   true});
  AddReportPlugin({"modules", "list of loaded modules", [](void*) { return ModulesText(LoadedModules()); }, true});
}

}  // namespace quor
