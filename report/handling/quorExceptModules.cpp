#include "report/handling/quorExceptModules.h"

#include <windows.h>

#include "base/Address.h"
#include "report/settings/quorModulePath.h"

namespace quor {

namespace {

// The code range of an image from its headers: the first section, extended
// by the second when that is code too; else base and size of code.
bool ImageCodeRange(uintptr_t base, uint32_t& begin, uint32_t& end) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return false;
  const IMAGE_SECTION_HEADER* s = IMAGE_FIRST_SECTION(nt);
  const unsigned count = nt->FileHeader.NumberOfSections;
  if (count > 0 && (s[0].Characteristics & IMAGE_SCN_CNT_CODE)) {
    begin = static_cast<uint32_t>(base + s[0].VirtualAddress);
    end = begin + s[0].Misc.VirtualSize;
    if (count > 1 && (s[1].Characteristics & IMAGE_SCN_CNT_CODE))
      end = static_cast<uint32_t>(base + s[1].VirtualAddress + s[1].Misc.VirtualSize);
  } else {
    begin = static_cast<uint32_t>(base + nt->OptionalHeader.BaseOfCode);
    end = begin + nt->OptionalHeader.SizeOfCode;
  }
  return end > begin;
}

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

uintptr_t OwnModule() {
  static const uintptr_t module = [] {
    HMODULE m = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&OwnModule), &m);
    return base::AddressOf(m);
  }();
  return module;
}

bool IsOwnCode(uint32_t address) {
  static uint32_t begin = 0, end = 0;
  if (end == 0 && !ImageCodeRange(OwnModule(), begin, end)) return false;
  return address >= begin && address < end;
}

std::string ModuleFileNameOf(uint32_t address) {
  MEMORY_BASIC_INFORMATION mbi;
  if (!VirtualQuery(reinterpret_cast<void*>(address), &mbi, sizeof mbi) || !mbi.AllocationBase) return {};
  return FileName(ModulePath(base::AddressOf(mbi.AllocationBase)));
}

}  // namespace quor
