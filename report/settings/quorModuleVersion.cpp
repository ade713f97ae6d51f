#include "report/settings/quorModuleVersion.h"

#include <vector>

#include "base/Address.h"
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

// version.dll is linked, not loaded on demand: a report may be built while
// another thread holds the loader lock, and loading would wait for it.
std::string FileVersionOfPath(const std::string& path) {
  DWORD handle = 0;
  const DWORD n = path.empty() ? 0 : GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (!n) return {};
  std::vector<char> block(n);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(path.c_str(), 0, n, block.data()) ||
      !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
      length < sizeof *fixed)
    return {};
  const uint16_t parts[4] = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                             HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
  return VersionPlaceholderText("", parts);
}

std::string FileVersionText(HMODULE module) {
  const std::string version = FileVersionOfPath(ModulePath(base::AddressOf(module)));
  return version.empty() ? "?" : version;
}

}  // namespace quor
