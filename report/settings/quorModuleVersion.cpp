#include "report/settings/quorModuleVersion.h"

#include <vector>

#include "base/Address.h"
#include "base/WinLibrary.h"
#include "report/settings/quorModulePath.h"
#include "report/settings/quorPlaceholders.h"

namespace quor {
namespace {

// Reads through the kernel so that an unmapped or protected address fails
// instead of faulting.
bool ReadMemory(uintptr_t address, void* out, size_t size) {
  SIZE_T done = 0;
  return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(address), out, size, &done) &&
         done == size;
}

}  // namespace

std::string ReadVersionVariable(HMODULE module, int32_t offset) {
  if (!module || offset == 0) return {};
  uintptr_t text = 0;
  if (!ReadMemory(base::AddressOf(module) + uint32_t(offset), &text, sizeof text) || !text) return {};
  std::string out;
  constexpr size_t kLongest = 4096;  // a version text, not a memory dump
  char c;
  while (out.size() < kLongest && ReadMemory(text + out.size(), &c, 1) && c) out += c;
  return out.size() < kLongest && c == 0 ? out : std::string();
}

std::string FileVersionText(HMODULE module) {
  // version.dll is loaded on demand: the reporter must not pull it in at start-up.
  const base::Library version(LoadLibraryW(L"version.dll"));
  if (!version) return "?";
  const HMODULE lib = version.get();
  using SizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
  using InfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
  using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);
  auto size = reinterpret_cast<SizeFn>(reinterpret_cast<void*>(GetProcAddress(lib, "GetFileVersionInfoSizeA")));
  auto info = reinterpret_cast<InfoFn>(reinterpret_cast<void*>(GetProcAddress(lib, "GetFileVersionInfoA")));
  auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(lib, "VerQueryValueA")));
  std::string result = "?";
  const std::string path = ModulePath(base::AddressOf(module));
  DWORD handle = 0;
  const DWORD n = size && info && query && !path.empty() ? size(path.c_str(), &handle) : 0;
  std::vector<char> block(n);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (n && info(path.c_str(), 0, n, block.data()) &&
      query(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed && length >= sizeof *fixed) {
    const uint16_t parts[4] = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                               HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
    result = VersionPlaceholderText("", parts);
  }
  return result;
}

}  // namespace quor
