#include "report/stacktrace/quorStackTraceWin.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "base/Address.h"
#include "base/WinHandle.h"
#include "report/disasm/quorMemoryWin.h"
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

namespace {

// Room for a stack that grows between reading its bounds and the suspension.
constexpr uint32_t kStackGrowthRoom = 64 * 1024;
// Larger stacks are not copied (bad bounds); the tracer reads no more.
constexpr uint32_t kMaxStackCopy = 16u << 20;
// A stack that outgrew its copy's room is measured again this often.
constexpr int kCopyAttempts = 2;

// The committed part of a thread's own stack, [Limit, Base).
struct TStackBounds {
  uint32_t Limit = 0, Base = 0;
};

// The platform's thread record as the native thread query answers it.
struct TThreadBasicInformation {
  LONG ExitStatus;
  void* TebBaseAddress;
  HANDLE ProcessId, ThreadId;
  ULONG_PTR AffinityMask;
  LONG Priority, BasePriority;
};
using TQueryThread = LONG(WINAPI*)(HANDLE thread, int infoClass, void* info, ULONG size, ULONG* returned);
constexpr int kThreadBasicInformation = 0;

// The stack bounds from the thread's information block (its first fields),
// read while the thread still runs, so that the copy's memory can be taken
// before it stands still.
bool ReadStackBounds(HANDLE thread, TStackBounds& bounds) {
  static const auto query = reinterpret_cast<TQueryThread>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
  TThreadBasicInformation info{};
  NT_TIB tib;
  if (!query || query(thread, kThreadBasicInformation, &info, sizeof info, nullptr) != 0 ||
      !ReadOwnMemory(base::AddressOf(info.TebBaseAddress), &tib, sizeof tib))
    return false;
  bounds.Limit = base::AddressOf(tib.StackLimit);
  bounds.Base = base::AddressOf(tib.StackBase);
  return bounds.Base > bounds.Limit;
}

enum class TCopy { Failed, Done, NoRoom };

// Suspends the thread, reads its registers and copies its stack words into
// state.Stack's reserved capacity, resumes it. Between the suspension and
// the resumption nothing allocates, locks, logs or builds text.
TCopy CopyWhileSuspended(HANDLE thread, const TStackBounds& bounds, TThreadState& state) {
  const DWORD previous = SuspendThread(thread);
  if (previous == DWORD(-1)) return TCopy::Failed;
  TCopy result = TCopy::Failed;
  CONTEXT c;
  c.ContextFlags = CONTEXT_FULL;
  // Windows: SuspendThread returns before the thread stands still; reading
  // its context waits until it does.
  if (GetThreadContext(thread, &c)) {
    result = TCopy::Done;
    state.Eax = c.Eax, state.Ebx = c.Ebx, state.Ecx = c.Ecx, state.Edx = c.Edx, state.Esi = c.Esi;
    state.Edi = c.Edi, state.Eip = c.Eip, state.Esp = c.Esp, state.Ebp = c.Ebp;
    state.Suspended = previous > 0;
    const uint32_t at = c.Esp & ~3u;
    if (at < bounds.Base && bounds.Base - at <= kMaxStackCopy) {
      const uint32_t size = bounds.Base - at;
      if (size > state.Stack.capacity()) {
        result = TCopy::NoRoom;
      } else {
        state.Stack.resize(size);  // inside the reserved capacity: no allocation
        if (ReadOwnMemory(at, state.Stack.data(), size))
          state.StackAt = at, state.StackTop = bounds.Base;
        else
          state.Stack.clear();
      }
    }
  }
  ResumeThread(thread);
  return result;
}

}  // namespace

bool ReadThreadState(uint32_t threadId, TThreadState& state) {
  if (threadId == GetCurrentThreadId()) return false;
  const base::KernelHandle thread(
      OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, threadId));
  if (!thread) return false;
  const HANDLE h = thread.get();
  TStackBounds bounds;
  (void)ReadStackBounds(h, bounds);
  TCopy copy = TCopy::Failed;
  for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
    state.Stack.clear();
    state.StackAt = state.StackTop = 0;
    const uint32_t used = bounds.Base - std::min(bounds.Limit, state.Esp ? state.Esp : bounds.Limit);
    state.Stack.reserve(std::min(used + kStackGrowthRoom, kMaxStackCopy));
    copy = CopyWhileSuspended(h, bounds, state);
    if (copy != TCopy::NoRoom) break;
  }
  if (copy == TCopy::Failed) return false;
  // Not on its own stack (or grown past the copy): the live stack's region.
  if (!state.StackTop) state.StackTop = RegionEnd(state.Esp);
  return true;
}

}  // namespace quor
