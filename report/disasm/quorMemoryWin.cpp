#include "report/disasm/quorMemoryWin.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "base/Address.h"
#include "base/WinHandle.h"

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

bool ReadOwnMemory(uint32_t address, void* out, uint32_t size) {
  SIZE_T got = 0;
  return ReadProcessMemory(GetCurrentProcess(), base::PointerAt<const void>(address), out, size, &got) && got == size;
}

namespace {

constexpr uint32_t kPage = 4096;
constexpr DWORD kUnwritable = PAGE_READONLY | PAGE_EXECUTE_READ;
constexpr size_t kMaxKeptPages = 16384;  // 64 MB at the most

struct KeptPages {
  std::mutex lock;
  std::unordered_map<uint32_t, std::array<uint8_t, kPage>> pages;
};

KeptPages& Kept() {
  static KeptPages* kept = new KeptPages;  // never freed: used until the process ends
  return *kept;
}

// Copies from the kept page, keeping it first when it cannot be written;
// false when the page is writable (or unreadable): then it is read directly.
bool ReadKept(uint32_t page, uint32_t offset, void* out, uint32_t size) {
  KeptPages& k = Kept();
  {
    std::lock_guard<std::mutex> guard(k.lock);
    auto it = k.pages.find(page);
    if (it != k.pages.end()) {
      std::memcpy(out, it->second.data() + offset, size);
      return true;
    }
  }
  MEMORY_BASIC_INFORMATION mbi;
  if (VirtualQuery(reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(page)), &mbi, sizeof(mbi)) != sizeof(mbi) ||
      mbi.State != MEM_COMMIT || !(mbi.Protect & kUnwritable) || (mbi.Protect & (PAGE_GUARD | PAGE_NOACCESS)))
    return false;
  std::array<uint8_t, kPage> copy;
  if (!ReadOwnMemory(page, copy.data(), kPage)) return false;
  std::memcpy(out, copy.data() + offset, size);
  std::lock_guard<std::mutex> guard(k.lock);
  if (k.pages.size() < kMaxKeptPages) k.pages.emplace(page, copy);
  return true;
}

}  // namespace

bool TProcessMemoryReader::ReadRaw(uint32_t address, void* out, uint32_t size) const {
  auto* dst = static_cast<uint8_t*>(out);
  while (size > 0) {
    const uint32_t page = address & ~(kPage - 1), offset = address - page;
    const uint32_t n = std::min(size, kPage - offset);
    if (!ReadKept(page, offset, dst, n) && !ReadOwnMemory(address, dst, n)) return false;
    if (address + n < address) return size == n;  // the top of the address space
    address += n;
    dst += n;
    size -= n;
  }
  return true;
}

void TProcessMemoryReader::DropKeptPages() {
  KeptPages& k = Kept();
  std::lock_guard<std::mutex> guard(k.lock);
  k.pages.clear();
}

TProcessMemoryReader& ProcessMemoryReader() {
  static TProcessMemoryReader reader;
  return reader;
}

namespace {

constexpr uint64_t kAddressSpaceEnd = 0x100000000ull;

// Adds the committed regions from `address` on while `inside` accepts them;
// the end of the last region walked, or 0 when the first query fails.
template <class Inside>
uint64_t AddRegions(TMemorySnapshot& snapshot, uint64_t address, Inside inside) {
  uint64_t end = 0;
  MEMORY_BASIC_INFORMATION mbi;
  while (address < kAddressSpaceEnd &&
         VirtualQuery(reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)), &mbi, sizeof(mbi)) == sizeof(mbi) &&
         inside(mbi)) {
    const uint64_t begin = base::AddressOf(mbi.BaseAddress);
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
    address = end = begin + size;
  }
  return end;
}

}  // namespace

bool TakeModulesSnapshot(TMemorySnapshot& snapshot, const std::vector<uint32_t>& addresses) {
  ProcessMemoryReader().DropKeptPages();
  snapshot.SetReader(&ProcessMemoryReader());
  std::vector<uint32_t> bases;
  for (const uint32_t address : addresses) {
    MEMORY_BASIC_INFORMATION mbi;
    if (!address ||
        VirtualQuery(reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address)), &mbi, sizeof(mbi)) != sizeof(mbi) ||
        mbi.Type != MEM_IMAGE)
      continue;
    const uint32_t allocation = base::AddressOf(mbi.AllocationBase);
    if (std::find(bases.begin(), bases.end(), allocation) != bases.end()) continue;
    bases.push_back(allocation);
    // The image's regions share its allocation base.
    const uint64_t end = AddRegions(snapshot, allocation, [&](const MEMORY_BASIC_INFORMATION& m) {
      return base::AddressOf(m.AllocationBase) == allocation;
    });
    TModuleImage m;
    m.Base = allocation;
    m.Size = static_cast<uint32_t>(end - allocation);
    AddSections(snapshot, m);
    snapshot.AddModule(m);
  }
  return !bases.empty();
}

bool TakeProcessSnapshot(TMemorySnapshot& snapshot) {
  ProcessMemoryReader().DropKeptPages();
  snapshot.SetReader(&ProcessMemoryReader());
  const bool any = AddRegions(snapshot, 0, [](const MEMORY_BASIC_INFORMATION&) { return true; }) != 0;
  // Modules from the tool-help list: it needs no loader lock.
  if (const base::SnapshotHandle list(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId())); list) {
    MODULEENTRY32W me;
    me.dwSize = sizeof(me);
    for (BOOL ok = Module32FirstW(list.get(), &me); ok; ok = Module32NextW(list.get(), &me)) {
      TModuleImage m;
      m.Base = base::AddressOf(me.modBaseAddr);
      m.Size = me.modBaseSize;
      AddSections(snapshot, m);
      snapshot.AddModule(m);
    }
  }
  return any;
}

}  // namespace quor
