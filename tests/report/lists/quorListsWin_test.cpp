// The "modules" and "processes" sections against what the system says in
// the same test: every module of this process with its path, and this
// process and a child it starts among the running processes.
#include "report/lists/quorListsWin.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "report/lists/quorReportPlugins.h"

namespace quor {
namespace {

TEST(ListsWin, ModulesAreThoseTheSystemLists) {
  HMODULE modules[512];
  DWORD needed = 0;
  ASSERT_TRUE(EnumProcessModules(GetCurrentProcess(), modules, sizeof modules, &needed));
  const std::vector<ModuleRow> rows = LoadedModules();
  for (DWORD i = 0; i < needed / sizeof(HMODULE); ++i) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(modules[i], path, MAX_PATH);
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const ModuleRow& r) {
      return r.base == reinterpret_cast<uintptr_t>(modules[i]) && r.path == path;
    });
    EXPECT_NE(found, rows.end()) << path;
  }
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(),
                             [](const ModuleRow& a, const ModuleRow& b) { return a.base < b.base; }));
}

TEST(ListsWin, ProcessesIncludeThisOneAndItsChild) {
  char cmd[] = "cmd.exe /c ping -n 3 127.0.0.1 >nul";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi));
  const std::vector<ProcessRow> rows = RunningProcesses();
  TerminateProcess(pi.hProcess, 0);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  const auto self = std::find_if(rows.begin(), rows.end(),
                                 [](const ProcessRow& r) { return r.id == GetCurrentProcessId(); });
  ASSERT_NE(self, rows.end());
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  EXPECT_EQ(self->path, path);
  EXPECT_EQ(self->priority, static_cast<int32_t>(GetPriorityClass(GetCurrentProcess())));
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const ProcessRow& r) { return r.id == pi.dwProcessId; }));
}

TEST(ListsWin, RegisteredPluginsProduceTheSections) {
  RegisterListPlugins();
  const std::vector<ReportPlugin> plugins = ReportPluginsFor("modules|processes|hardware");
  ASSERT_EQ(plugins.size(), 2u);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string exe = std::string(path).substr(std::string(path).rfind('\\') + 1);
  EXPECT_NE(plugins[0].produce(nullptr).find(exe), std::string::npos);
  EXPECT_NE(plugins[1].produce(nullptr).find(exe), std::string::npos);
}

}  // namespace
}  // namespace quor
