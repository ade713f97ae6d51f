#include "report/lists/quorOsInfo.h"

#include <windows.h>

#include <mutex>
#include <span>

#include "report/lists/quorSystemLibraries.h"

namespace quor {

namespace {

// GetVersion sets its high bit on Windows 95, 98 and ME.
constexpr DWORD kOlderFamilyBit = 0x80000000;

// Looked up at run time: Windows 2000 has no GetNativeSystemInfo.
bool RunsOnX64() {
  const auto query = SystemLibraries().GetNativeSystemInfo;
  if (!query) return false;
  SYSTEM_INFO info{};
  query(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
}

// The older family knows only the ANSI record. The NT family fills the
// extended wide record, or on NT 4 before its service pack 6 only the plain
// one. False when no record could be filled.
bool ReadOsFacts(TOSFacts& facts) {
  if (GetVersion() & kOlderFamilyBit) {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v)) return false;
    facts.PlatformId = v.dwPlatformId;
    facts.Major = v.dwMajorVersion, facts.Minor = v.dwMinorVersion, facts.Build = v.dwBuildNumber;
    facts.Csd = CsdText(std::span<const char>(v.szCSDVersion));
    return true;
  }
  OSVERSIONINFOEXW v{};
  v.dwOSVersionInfoSize = sizeof v;
  facts.ExtendedRecord = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&v));
  if (!facts.ExtendedRecord) {
    v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&v))) return false;
  }
  facts.PlatformId = v.dwPlatformId;
  facts.Major = v.dwMajorVersion, facts.Minor = v.dwMinorVersion, facts.Build = v.dwBuildNumber;
  static_assert(sizeof(WCHAR) == sizeof(uint16_t));
  facts.Csd =
      CsdText(std::span<const uint16_t>(reinterpret_cast<const uint16_t*>(v.szCSDVersion), std::size(v.szCSDVersion)));
  if (facts.ExtendedRecord) facts.ServicePackMajor = v.wServicePackMajor, facts.ProductType = v.wProductType;
  facts.ServerR2 = GetSystemMetrics(SM_SERVERR2) != 0;
  facts.TabletPc = GetSystemMetrics(SM_TABLETPC) != 0;
  facts.Starter = GetSystemMetrics(SM_STARTER) != 0;
  facts.MediaCenter = GetSystemMetrics(SM_MEDIACENTER) != 0;
  facts.X64 = RunsOnX64();
  return true;
}

// The record of this process, kept once it has been read.
struct TKeptOs {
  std::mutex lock;
  TOS os;
};

TKeptOs& KeptOs() {
  static TKeptOs kept;
  return kept;
}

}  // namespace

TOS QueryOsInfo() {
  TKeptOs& kept = KeptOs();
  std::lock_guard<std::mutex> hold(kept.lock);
  if (kept.os.Description.empty()) {
    TOSFacts facts;
    if (ReadOsFacts(facts)) kept.os = MakeOsRecord(facts);
  }
  return kept.os;
}

}  // namespace quor
