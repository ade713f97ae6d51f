#include "report/intercept/quorCodePatch.h"

#include <windows.h>
#include <tlhelp32.h>

#include <mutex>
#include <vector>

#include "base/Address.h"
#include "base/WinHandle.h"

namespace quor {

namespace {

std::mutex& PatchLock() {
  static std::mutex lock;
  return lock;
}

std::vector<TCodePatch>& Patches() {
  static std::vector<TCodePatch> patches;
  return patches;
}

bool WritePointer(uint32_t address, uint32_t value) {
  void* at = reinterpret_cast<void*>(address);
  DWORD old = 0;
  if (!VirtualProtect(at, sizeof value, PAGE_EXECUTE_READWRITE, &old)) return false;
  InterlockedExchange(static_cast<LONG volatile*>(at), LONG(value));
  VirtualProtect(at, sizeof value, old, &old);
  FlushInstructionCache(GetCurrentProcess(), at, sizeof value);
  return true;
}

// The import address tables of one module: every slot that holds `target`.
template <class Fn>
void ForEachImportSlot(HMODULE module, Fn fn) {
  const auto base = reinterpret_cast<const uint8_t*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  if (nt->Signature != IMAGE_NT_SIGNATURE) return;
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress || !dir.Size) return;
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
    if (!d->FirstThunk) continue;
    for (auto* slot = reinterpret_cast<uint32_t*>(const_cast<uint8_t*>(base) + d->FirstThunk); *slot; ++slot) fn(slot);
  }
}

}  // namespace

bool WritePatch(uint32_t address, uint32_t value) {
  std::lock_guard<std::mutex> hold(PatchLock());
  const uint32_t found = *reinterpret_cast<const uint32_t*>(address);
  if (!WritePointer(address, value)) return false;
  Patches().push_back({address, found, value});
  return true;
}

void UndoPatches() {
  std::lock_guard<std::mutex> hold(PatchLock());
  auto& patches = Patches();
  for (auto it = patches.rbegin(); it != patches.rend(); ++it) {
    MEMORY_BASIC_INFORMATION mbi;
    // A module unloaded since keeps nothing to undo.
    if (!VirtualQuery(reinterpret_cast<void*>(it->Address), &mbi, sizeof mbi) || mbi.State != MEM_COMMIT) continue;
    if (*reinterpret_cast<const uint32_t*>(it->Address) == it->Written) (void)WritePointer(it->Address, it->Found);
  }
  patches.clear();
}

uint32_t PatchImports(const void* target, const void* hook) {
  uint32_t count = 0;
  const base::SnapshotHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId()));
  if (!snap) return 0;
  MODULEENTRY32 m{};
  m.dwSize = sizeof m;
  for (BOOL ok = Module32First(snap.get(), &m); ok; ok = Module32Next(snap.get(), &m))
    ForEachImportSlot(m.hModule, [&](uint32_t* slot) {
      if (*slot == base::AddressOf(target) && WritePatch(base::AddressOf(slot), base::AddressOf(hook))) ++count;
    });
  return count;
}

}  // namespace quor
