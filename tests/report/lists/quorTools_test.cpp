// The report header's system facts against what the system reports in the
// same test, through other calls than the ones the facts use (under Wine:
// what the prefix reports).
#include "report/lists/quorTools.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "report/lists/quorOsInfo.h"
#include "report/text/quorToolsText.h"

namespace quor {
namespace {

using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);

TEST(Tools, OperatingSystemIsTheVersionTheSystemReports) {
  // The kernel's own version call, which no compatibility setting changes.
  const auto rtlGetVersion = reinterpret_cast<TRtlGetVersion>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
  ASSERT_NE(rtlGetVersion, nullptr);
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  ASSERT_EQ(rtlGetVersion(&v), 0);
  const TOS os = QueryOsInfo();
  EXPECT_TRUE(os.NtFamily);
  EXPECT_FALSE(os.OlderFamily);
  EXPECT_EQ(os.Major, v.dwMajorVersion);
  EXPECT_EQ(os.Minor, v.dwMinorVersion);
  EXPECT_EQ(os.Build, v.dwBuildNumber);
  EXPECT_EQ(os.ServicePackText.find('\0'), std::string::npos);
  // A 64-bit program runs on a 64-bit system.
  EXPECT_TRUE(os.X64);
  const std::string text = SystemVersionText();
  EXPECT_EQ(text.rfind(std::string(OsVersionName(os.Version)), 0), 0u) << text;
  EXPECT_NE(text.find(" x64"), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - std::to_string(v.dwBuildNumber).size() - 7),
            " build " + std::to_string(v.dwBuildNumber));
}

TEST(Tools, LanguageAndUpTimes) {
  wchar_t language[128];
  ASSERT_GT(GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLISHLANGUAGENAME, language, 128), 0);
  const std::string name = SystemLanguageText();
  EXPECT_EQ(std::wstring(name.begin(), name.end()), language);

  // The system's up time, read on both sides of the fact.
  const ULONGLONG before = GetTickCount64() / 1000;
  const std::string uptime = SystemUptimeText();
  const ULONGLONG after = GetTickCount64() / 1000;
  EXPECT_TRUE(uptime == DurationText(int64_t(before)) || uptime == DurationText(int64_t(after))) << uptime;

  RecordProgramStart();
  const std::string program = ProgramUptimeText();
  EXPECT_EQ(program.substr(program.find(' ')), " milliseconds") << program;
}

TEST(Tools, ProcessorsMemoryDisplayAndDisk) {
  SYSTEM_INFO info;
  GetNativeSystemInfo(&info);
  EXPECT_EQ(ProcessorCount(), std::min<int>(int(info.dwNumberOfProcessors), 16));
  const std::string processor = ProcessorNameText();
  ASSERT_FALSE(processor.empty());
  EXPECT_TRUE(processor.front() != ' ' && processor.back() != ' ') << processor;

  MEMORYSTATUSEX m{};
  m.dwLength = sizeof m;
  ASSERT_TRUE(GlobalMemoryStatusEx(&m));
  const std::string memory = PhysicalMemoryText();
  const std::string total = "/" + std::to_string((m.ullTotalPhys + 0x80000) / 0x100000) + " MB (free/total)";
  ASSERT_GE(memory.size(), total.size());
  EXPECT_EQ(memory.substr(memory.size() - total.size()), total);

  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  EXPECT_EQ(ScreenModeText(), quor::ScreenModeText(int(mode.dmPelsWidth), int(mode.dmPelsHeight),
                                                   int(mode.dmBitsPerPel)));

  char system[MAX_PATH];
  ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
  const std::string disk = FreeDiskSpaceText();
  EXPECT_EQ(disk.rfind(std::string("(") + char(toupper(system[0])) + ":) ", 0), 0u) << disk;
}

TEST(Tools, AllocatedMemoryCountsCommittedMemoryOutsideImages) {
  constexpr SIZE_T kBlock = 64 << 20;
  const uint64_t before = CommittedMemoryBytes();
  void* block = VirtualAlloc(nullptr, kBlock, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  ASSERT_NE(block, nullptr);
  const uint64_t after = CommittedMemoryBytes();
  VirtualFree(block, 0, MEM_RELEASE);
  // The block, give or take what the heap did meanwhile.
  EXPECT_GE(after, before + kBlock - (1 << 20));
  EXPECT_LE(after, before + kBlock + (4 << 20));
  EXPECT_LT(CommittedMemoryBytes(), after);
  EXPECT_FALSE(CommittedMemoryText().empty());
}

TEST(Tools, RemoteClientNameOnlyInARemoteSession) {
  if (GetSystemMetrics(SM_REMOTESESSION) == 0) EXPECT_EQ(RemoteClientName(), "");
  else
    EXPECT_FALSE(RemoteClientName().empty());
}

TEST(Tools, RegistryTexts) {
  // Wine: the prefix sets the product name; Windows has it as well.
  const std::string product = ReadRegistryText(reinterpret_cast<uintptr_t>(HKEY_LOCAL_MACHINE),
                                               "Software\\Microsoft\\Windows NT\\CurrentVersion", "ProductName");
  EXPECT_FALSE(product.empty());
  EXPECT_EQ(product.find('\0'), std::string::npos);
  EXPECT_EQ(ReadRegistryText(reinterpret_cast<uintptr_t>(HKEY_LOCAL_MACHINE), "Software\\NoSuchKey\\Here", "x"), "");
}

}  // namespace
}  // namespace quor
