#include "report/lists/quorTools.h"

#include <windows.h>

#include <vector>

#include "base/Address.h"
#include "base/WinRegKey.h"
#include "base/WinWindowDc.h"
#include "report/lists/quorOsInfo.h"
#include "report/lists/quorSystemLibraries.h"
#include "report/settings/quorModulePath.h"
#include "report/text/quorText.h"
#include "report/text/quorToolsText.h"

namespace quor {

namespace {

constexpr int64_t kMillisecondsPerSecond = 1000;
constexpr int kMaxProcessors = 16;
constexpr char kProcessorKey[] = "hardware\\description\\system\\centralProcessor\\";
// The terminal-session query: the client name of the current session on
// the current server.
constexpr int kWtsClientName = 10;
const HANDLE kWtsCurrentServer = nullptr;
constexpr DWORD kWtsCurrentSession = DWORD(-1);

int64_t g_startMs = 0;

int64_t CounterMilliseconds() {
  LARGE_INTEGER count, freq;
  if (!QueryPerformanceCounter(&count) || !QueryPerformanceFrequency(&freq) || freq.QuadPart < kMillisecondsPerSecond)
    return 0;
  return count.QuadPart / (freq.QuadPart / kMillisecondsPerSecond);
}

std::string DriveFree(char drive) {
  ULARGE_INTEGER freeBytes;
  const char root[] = {drive, ':', '\\', 0};
  if (!GetDiskFreeSpaceExA(root, &freeBytes, nullptr, nullptr)) return {};
  return DriveFreeText(drive, int64_t(freeBytes.QuadPart), DecimalSeparator());
}

}  // namespace

std::string ComputerNameText() {
  char name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

std::string RemoteClientName() {
  const TSystemLibraries& lib = SystemLibraries();
  if (!QueryOsInfo().NtFamily || GetSystemMetrics(SM_REMOTESESSION) == 0 || !lib.HasSessionQuery()) return {};
  char* data = nullptr;
  DWORD length = 0;
  if (!lib.WTSQuerySessionInformationA(kWtsCurrentServer, kWtsCurrentSession, kWtsClientName, &data, &length) ||
      !data)
    return {};
  std::string name = SessionClientName(data, length);
  lib.WTSFreeMemory(data);
  return name;
}

std::string UserNameText() {
  char name[257];
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) && size > 0 ? std::string(name, size - 1) : std::string();
}

bool RunsAsAdministrator() {
  const TSystemLibraries& lib = SystemLibraries();
  if (!lib.CheckTokenMembership) return false;
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &admins))
    return false;
  BOOL member = FALSE;
  if (!lib.CheckTokenMembership(nullptr, admins, &member)) member = FALSE;
  FreeSid(admins);
  return member;
}

std::string ReadRegistryText(uintptr_t rootKey, const std::string& keyPath, const std::string& valueName) {
  HKEY opened;
  if (RegOpenKeyExA(reinterpret_cast<HKEY>(rootKey), keyPath.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  const base::RegKey owned(opened);
  const HKEY key = owned.get();
  DWORD type = 0, size = 0;
  std::string text;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0) {
    std::vector<char> data(size * 2 + 2, 0);
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
        ERROR_SUCCESS)
      text = type == REG_SZ || type == REG_EXPAND_SZ ? std::string(data.data()) : std::string(data.data(), size);
  }
  return text;
}

std::string RegisteredOwnerText() {
  const auto hklm = base::AddressOf(HKEY_LOCAL_MACHINE);
  const std::string key =
      std::string("Software\\Microsoft\\Windows") + (QueryOsInfo().NtFamily ? " NT" : "") + "\\CurrentVersion";
  std::string owner = ReadRegistryText(hklm, key, "RegisteredOwner");
  const std::string organisation = ReadRegistryText(hklm, key, "RegisteredOrganization");
  if (!organisation.empty()) owner += " / " + organisation;
  return owner;
}

std::string SystemVersionText() {
  const TOS os = QueryOsInfo();
  return os.Description.empty() ? std::string() : os.Description + " build " + std::to_string(os.Build);
}

std::string SystemLanguageText() {
  char name[260];
  return GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof name) > 0 ? std::string(name)
                                                                                           : std::string();
}

// The milliseconds since the system started, where the system counts them
// (Vista and later); the high-resolution counter otherwise, which counts
// from the start on most systems but not on all.
std::string SystemUptimeText() {
  const TSystemLibraries& lib = SystemLibraries();
  const int64_t ms = lib.GetTickCount64 ? int64_t(lib.GetTickCount64()) : CounterMilliseconds();
  return DurationText(ms / kMillisecondsPerSecond);
}

void RecordProgramStart() { g_startMs = CounterMilliseconds(); }

std::string ProgramUptimeText() {
  const int64_t now = CounterMilliseconds();
  if (g_startMs == 0 || now == 0) return {};
  return ElapsedText(now - g_startMs);
}

std::string ProcessorNameText() {
  return std::string(TrimText(
      ReadRegistryText(base::AddressOf(HKEY_LOCAL_MACHINE), std::string(kProcessorKey) + "0", "ProcessorNameString")));
}

int ProcessorCount() {
  for (int n = 1; n < kMaxProcessors; ++n)
    if (ReadRegistryText(base::AddressOf(HKEY_LOCAL_MACHINE), kProcessorKey + std::to_string(n),
                         "ProcessorNameString")
            .empty())
      return n;
  return kMaxProcessors;
}

std::string PhysicalMemoryText() {
  const TSystemLibraries& lib = SystemLibraries();
  if (lib.GlobalMemoryStatusEx) {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    if (!lib.GlobalMemoryStatusEx(&m)) return {};
    return quor::PhysicalMemoryText(m.ullAvailPhys, m.ullTotalPhys);
  }
  MEMORYSTATUS m{};
  m.dwLength = sizeof m;
  GlobalMemoryStatus(&m);
  return quor::PhysicalMemoryText(m.dwAvailPhys, m.dwTotalPhys);
}

std::string FreeDiskSpaceText() {
  char folder[MAX_PATH];
  if (!GetSystemDirectoryA(folder, MAX_PATH)) return {};
  std::string text = DriveFree(folder[0]);
  const std::string exe = ModulePath(0);
  if (exe.size() > 1 && exe[1] == ':' && toupper(exe[0]) != toupper(folder[0])) text += " " + DriveFree(exe[0]);
  return text;
}

std::string ScreenModeText() {
  const base::WindowDc screen(nullptr);
  if (!screen) return {};
  const int bits = GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
  return quor::ScreenModeText(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), bits);
}

// Regions of loaded modules are those of image mappings: their type says
// so without asking the loader for the module's name, which would wait for
// the loader lock.
uint64_t CommittedMemoryBytes() {
  MEMORY_BASIC_INFORMATION mbi;
  uint64_t total = 0;
  for (uintptr_t at = 0; VirtualQuery(reinterpret_cast<void*>(at), &mbi, sizeof mbi) == sizeof mbi;) {
    if (mbi.State == MEM_COMMIT && mbi.Type != MEM_IMAGE) total += mbi.RegionSize;
    const uintptr_t next = base::AddressOf(mbi.BaseAddress) + mbi.RegionSize;
    if (next <= at) break;  // base + size wrapped: the address space ends here
    at = next;
  }
  return total;
}

std::string CommittedMemoryText() { return ByteSizeText(int64_t(CommittedMemoryBytes()), DecimalSeparator()); }

char DecimalSeparator() {
  static const char separator = [] {
    char text[4];
    return GetLocaleInfoA(GetThreadLocale(), LOCALE_SDECIMAL, text, sizeof text) > 0 ? text[0] : ',';
  }();
  return separator;
}

}  // namespace quor
