#include "report/handling/quorTools.h"

#include <windows.h>

#include <vector>

#include "base/Address.h"
#include "base/WinRegKey.h"
#include "base/WinWindowDc.h"
#include "report/handling/quorOsInfo.h"
#include "report/settings/quorModulePath.h"
#include "report/text/quorToolsText.h"

namespace quor {

namespace {

int64_t g_startMs = 0;

int64_t CounterMilliseconds() {
  LARGE_INTEGER count, freq;
  if (!QueryPerformanceCounter(&count) || !QueryPerformanceFrequency(&freq) || freq.QuadPart < 1000) return 0;
  return count.QuadPart / (freq.QuadPart / 1000);
}

std::string Trim(std::string s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string DriveFreeText(char drive) {
  ULARGE_INTEGER freeBytes;
  const char root[] = {drive, ':', '\\', 0};
  if (!GetDiskFreeSpaceExA(root, &freeBytes, nullptr, nullptr)) return {};
  return std::string("(") + char(toupper(drive)) + ":) " +
         ByteSizeText(int64_t(freeBytes.QuadPart), DecimalSeparator());
}

}  // namespace

std::string ComputerNameText() {
  char name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

std::string UserNameText() {
  char name[257];
  DWORD size = sizeof name;
  return GetUserNameA(name, &size) && size > 0 ? std::string(name, size - 1) : std::string();
}

bool RunsAsAdministrator() {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                &admins))
    return false;
  BOOL member = FALSE;
  if (!CheckTokenMembership(nullptr, admins, &member)) member = FALSE;
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

std::string SystemVersionText() {
  const TOS os = QueryOsInfo();
  return os.Description.empty() ? std::string() : os.Description + " build " + std::to_string(os.Build);
}

std::string SystemLanguageText() {
  char name[260];
  return GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof name) > 0 ? std::string(name)
                                                                                           : std::string();
}

std::string SystemUptimeText() { return DurationText(CounterMilliseconds() / 1000); }

void RecordProgramStart() { g_startMs = CounterMilliseconds(); }

std::string ProgramUptimeText() {
  if (g_startMs == 0) return {};
  const int64_t elapsed = CounterMilliseconds() - g_startMs;
  const std::string text = DurationText(elapsed / 1000);
  return text.empty() ? std::to_string(elapsed) + " milliseconds" : text;
}

std::string ProcessorNameText() {
  return Trim(ReadRegistryText(base::AddressOf(HKEY_LOCAL_MACHINE),
                               "hardware\\description\\system\\centralProcessor\\0", "ProcessorNameString"));
}

int ProcessorCount() {
  for (int n = 1; n <= 15; ++n)
    if (ReadRegistryText(base::AddressOf(HKEY_LOCAL_MACHINE),
                         "hardware\\description\\system\\centralProcessor\\" + std::to_string(n), "ProcessorNameString")
            .empty())
      return n;
  return 16;
}

std::string PhysicalMemoryText() {
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof m;
  if (!GlobalMemoryStatusEx(&m)) return {};
  const auto mb = [](uint64_t bytes) { return std::to_string((bytes + 0x80000) / 0x100000); };
  return mb(m.ullAvailPhys) + "/" + mb(m.ullTotalPhys) + " MB (free/total)";
}

std::string FreeDiskSpaceText() {
  char folder[MAX_PATH];
  if (!GetSystemDirectoryA(folder, MAX_PATH)) return {};
  std::string text = DriveFreeText(folder[0]);
  const std::string exe = ModulePath(0);
  if (!exe.empty() && toupper(exe[0]) != toupper(folder[0]) && exe.size() > 1 && exe[1] == ':')
    text += " " + DriveFreeText(exe[0]);
  return text;
}

std::string ScreenModeText() {
  int bits = 0;
  {
    const base::WindowDc screen(nullptr);
    if (!screen) return {};
    bits = GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
  }
  return std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ", " +
         std::to_string(bits) + " bit";
}

std::string CommittedMemoryText() {
  MEMORY_BASIC_INFORMATION mbi;
  uint64_t total = 0;
  void* lastBase = nullptr;
  bool lastIsModule = false;
  for (uintptr_t at = 0; VirtualQuery(reinterpret_cast<void*>(at), &mbi, sizeof mbi) == sizeof mbi;) {
    if (mbi.State == MEM_COMMIT) {
      if (mbi.AllocationBase != lastBase) {
        lastIsModule = !ModulePath(base::AddressOf(mbi.AllocationBase)).empty();
        lastBase = mbi.AllocationBase;
      }
      if (!lastIsModule) total += mbi.RegionSize;
    }
    const uintptr_t next = base::AddressOf(mbi.BaseAddress) + mbi.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return ByteSizeText(int64_t(total), DecimalSeparator());
}

char DecimalSeparator() {
  static const char separator = [] {
    char text[4];
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 0 ? text[0] : ',';
  }();
  return separator;
}

}  // namespace quor
