// The "modules" and "processes" sections against what the system says in
// the same test: every module of this process with its path, and this
// process and a child it starts among the running processes.
#include "report/lists/quorListsWin.h"

#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "report/lists/quorListHardwareWin.h"
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
  ASSERT_EQ(plugins.size(), 3u);
  EXPECT_EQ(plugins[0].name, "modules");
  EXPECT_EQ(plugins[1].name, "processes");
  EXPECT_EQ(plugins[2].name, "hardware");
  EXPECT_TRUE(plugins[2].ownSection);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string exe = std::string(path).substr(std::string(path).rfind('\\') + 1);
  EXPECT_NE(plugins[0].produce(nullptr).find(exe), std::string::npos);
  EXPECT_NE(plugins[1].produce(nullptr).find(exe), std::string::npos);
}

// The section's shape: class lines, each followed by at least one device
// line, classes in name order, case ignored.
TEST(ListsWin, HardwareSectionGroupsDevicesUnderTheirClasses) {
  const std::vector<HardwareClass> classes = InstalledHardware();
  const std::string text = HardwareText(classes);
  std::string previousClass;
  bool classHasDevice = true;
  size_t lines = 0, devices = 0;
  for (size_t at = 0; at < text.size(); ++lines) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    if (line.rfind("+ ", 0) == 0) {
      EXPECT_TRUE(classHasDevice) << previousClass;
      const std::string name = line.substr(2);
      EXPECT_LE(_stricmp(previousClass.c_str(), name.c_str()), 0) << previousClass << " / " << name;
      previousClass = name, classHasDevice = false;
    } else {
      EXPECT_EQ(line.rfind("  - ", 0), 0u) << line;
      classHasDevice = true, ++devices;
    }
    at = end + 2;
  }
  EXPECT_TRUE(classHasDevice);
  size_t listed = 0;
  for (const auto& c : classes) listed += c.devices.size();
  EXPECT_EQ(devices, listed);
  // Wine: the prefix lists a few devices of its own (display, sound, input).
  std::printf("hardware: %zu classes, %zu devices\n", classes.size(), listed);
}

}  // namespace
}  // namespace quor
