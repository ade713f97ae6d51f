#include "report/stacktrace/quorStackTraceWin.h"

#include <windows.h>

#include <atomic>

#include "base/Address.h"
#include "base/WinHandle.h"
#include "report/settings/quorModulePath.h"

namespace quor {

namespace {

std::atomic<StackSymbolsProvider> symbolsProvider{nullptr};

// The export directory: names with their addresses (forwarders, which point
// into the directory itself, are left out).
void ReadExports(const TMemorySnapshot& m, uint32_t base, uint32_t dirRva, uint32_t dirSize, TTraceModule& out) {
  IMAGE_EXPORT_DIRECTORY dir;
  if (!dirRva || !m.Read(base + dirRva, &dir, sizeof dir)) return;
  const uint32_t count = std::min<uint32_t>(dir.NumberOfNames, 65536);
  for (uint32_t k = 0; k < count; ++k) {
    uint32_t nameRva = 0, functionRva = 0;
    uint16_t ordinal = 0;
    if (!m.ReadDword(base + dir.AddressOfNames + 4 * k, nameRva) ||
        !m.Read(base + dir.AddressOfNameOrdinals + 2 * k, &ordinal, 2) || ordinal >= dir.NumberOfFunctions ||
        !m.ReadDword(base + dir.AddressOfFunctions + 4 * ordinal, functionRva))
      continue;
    if (functionRva >= dirRva && functionRva < dirRva + dirSize) continue;
    std::string name;
    char c;
    while (name.size() < 256 && m.Read(base + nameRva + uint32_t(name.size()), &c, 1) && c) name += c;
    out.Exports.push_back({base + functionRva, name});
  }
}

}  // namespace

void SetStackSymbolsProvider(StackSymbolsProvider provider) { symbolsProvider = provider; }

bool TWinModuleDescriber::Describe(const TModuleImage& image, const TMemorySnapshot& memory,
                                   TTraceModule& module) const {
  const std::string file = ModulePath(image.Base);
  if (file.empty()) return false;
  module.FileName = file.substr(file.find_last_of("\\/") + 1);
  module.IsExecutable = image.Base == base::AddressOf(GetModuleHandleA(nullptr));
  IMAGE_DOS_HEADER dos;
  IMAGE_NT_HEADERS32 nt;
  if (memory.Read(image.Base, &dos, sizeof dos) && dos.e_magic == IMAGE_DOS_SIGNATURE &&
      memory.Read(image.Base + uint32_t(dos.e_lfanew), &nt, sizeof nt) && nt.Signature == IMAGE_NT_SIGNATURE) {
    if (nt.OptionalHeader.AddressOfEntryPoint) module.EntryPoint = image.Base + nt.OptionalHeader.AddressOfEntryPoint;
    const IMAGE_DATA_DIRECTORY& exports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ReadExports(memory, image.Base, exports.VirtualAddress, exports.Size, module);
  }
  if (const StackSymbolsProvider provider = symbolsProvider.load()) module.Symbols = provider(image.Base);
  return true;
}

const IModuleDescriber& WinModuleDescriber() {
  static const TWinModuleDescriber describer;
  return describer;
}

uint32_t RegionEnd(uint32_t address) {
  MEMORY_BASIC_INFORMATION mbi;
  if (!VirtualQuery(reinterpret_cast<void*>(uintptr_t(address)), &mbi, sizeof mbi) || mbi.State != MEM_COMMIT) return 0;
  return base::AddressOf(mbi.BaseAddress) + uint32_t(mbi.RegionSize);
}

bool ReadThreadState(uint32_t threadId, const TMemorySnapshot& snapshot, TThreadState& state) {
  if (threadId == GetCurrentThreadId()) return false;
  const base::KernelHandle thread(
      OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, threadId));
  if (!thread) return false;
  const HANDLE h = thread.get();
  const DWORD previous = SuspendThread(h);
  bool read = false;
  if (previous != DWORD(-1)) {
    CONTEXT c;
    c.ContextFlags = CONTEXT_FULL;
    read = GetThreadContext(h, &c);
    if (read) {
      state.Eax = c.Eax, state.Ebx = c.Ebx, state.Ecx = c.Ecx, state.Edx = c.Edx, state.Esi = c.Esi;
      state.Edi = c.Edi, state.Eip = c.Eip, state.Esp = c.Esp, state.Ebp = c.Ebp;
      state.StackTop = RegionEnd(c.Esp);
      state.Suspended = previous > 0;
      // the stack is certainly intact while the thread stands still
      (void)PrepareStackItems(state.Ebp, state.StackTop, state.Esp, state.Prepared, false, 0, snapshot);
    }
    ResumeThread(h);
  }
  return read;
}

}  // namespace quor
