#include "report/quorMemoryWin.h"

#include <windows.h>
#include <tlhelp32.h>

namespace quor {

namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// The code and initialised-data ranges of a module, read from its section
// table through guarded reads (a damaged header gives empty ranges).
void AddSections(TMemorySnapshot& snapshot, TModuleImage& m) {
  uint32_t lfanew = 0;
  if (!snapshot.ReadDword(m.Base + 0x3C, lfanew) || lfanew > m.Size) return;
  const uint32_t nt = m.Base + lfanew;
  IMAGE_FILE_HEADER file;
  if (!snapshot.Read(nt + 4, &file, sizeof(file))) return;
  uint32_t section = nt + 4 + sizeof(IMAGE_FILE_HEADER) + file.SizeOfOptionalHeader;
  for (unsigned i = 0; i < file.NumberOfSections && i < 96; ++i, section += sizeof(IMAGE_SECTION_HEADER)) {
    IMAGE_SECTION_HEADER h;
    if (!snapshot.Read(section, &h, sizeof(h))) return;
    const uint32_t begin = m.Base + h.VirtualAddress;
    const uint32_t end = begin + (h.Misc.VirtualSize ? h.Misc.VirtualSize : h.SizeOfRawData);
    if (h.Characteristics & IMAGE_SCN_CNT_CODE) {
      if (!m.CodeBegin || begin < m.CodeBegin) m.CodeBegin = begin;
      if (end > m.CodeEnd) m.CodeEnd = end;
    } else if (h.Characteristics & IMAGE_SCN_CNT_INITIALIZED_DATA) {
      if (!m.DataBegin || begin < m.DataBegin) m.DataBegin = begin;
      if (end > m.DataEnd) m.DataEnd = end;
    }
  }
}

}  // namespace

bool TProcessMemoryReader::ReadRaw(uint32_t address, void* out, uint32_t size) const {
  SIZE_T got = 0;
  return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)), out, size,
                           &got) &&
         got == size;
}

const IMemoryReader& ProcessMemoryReader() {
  static TProcessMemoryReader reader;
  return reader;
}

bool TakeProcessSnapshot(TMemorySnapshot& snapshot) {
  snapshot.SetReader(&ProcessMemoryReader());
  uint64_t address = 0;
  bool any = false;
  MEMORY_BASIC_INFORMATION mbi;
  while (address < 0x100000000ull &&
         VirtualQuery(reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)), &mbi, sizeof(mbi)) == sizeof(mbi)) {
    any = true;
    const uint64_t begin = reinterpret_cast<uintptr_t>(mbi.BaseAddress);
    const uint64_t size = mbi.RegionSize;
    if (size == 0) break;
    if (mbi.State == MEM_COMMIT) {
      TMemoryRange r;
      r.Begin = static_cast<uint32_t>(begin);
      r.Size = static_cast<uint32_t>(size);
      r.Committed = true;
      r.Readable = (mbi.Protect & kReadable) && !(mbi.Protect & (PAGE_GUARD | PAGE_NOACCESS));
      snapshot.AddRange(r);
    }
    address = begin + size;
  }
  // Modules from the tool-help list: it needs no loader lock.
  HANDLE list = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
  if (list != INVALID_HANDLE_VALUE) {
    MODULEENTRY32W me;
    me.dwSize = sizeof(me);
    for (BOOL ok = Module32FirstW(list, &me); ok; ok = Module32NextW(list, &me)) {
      TModuleImage m;
      m.Base = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(me.modBaseAddr));
      m.Size = me.modBaseSize;
      AddSections(snapshot, m);
      snapshot.AddModule(m);
    }
    CloseHandle(list);
  }
  return any;
}

}  // namespace quor
