#include "report/intercept/quorThreadCreator.h"

#include <windows.h>
#include <pthread.h>

#include <vector>

#include "base/Address.h"
#include "report/disasm/quorDisAsm.h"
#include "report/disasm/quorMemoryWin.h"

namespace quor {

namespace {

// The code of one routine: its entry and the byte ranges the decoder found
// reachable from it.
struct TRoutine {
  uint32_t Entry = 0;
  std::vector<TCodeArea> Areas;

  // Whether a call that returns to `returnAddress` is made from this routine
  // (the byte before the return address is the call's last one).
  bool Holds(uint32_t returnAddress) const {
    for (const TCodeArea& a : Areas)
      if (!a.CaseTable && !a.ExceptTable && returnAddress - 1 >= a.Begin && returnAddress - 1 <= a.End) return true;
    return false;
  }
};

// Written once at start-up, before thread creation is hooked; read only
// afterwards.
struct TStartRoutines {
  std::vector<TRoutine> Runtime;  // the C runtime's: they keep a frame pointer
  TRoutine PthreadCreate;         // built without frame pointer
};

TStartRoutines g_routines;

TRoutine Parse(const void* entry, const TMemorySnapshot& memory) {
  TRoutine r;
  r.Entry = base::AddressOf(entry);
  if (!r.Entry) return r;
  TFunctionInfo f = ParseFunction(r.Entry, &memory);
  if (f.IsValid) r.Areas = std::move(f.CodeAreas);
  return r;
}

// The current thread's stack holds [address, address + size).
bool OnStack(uint32_t address, uint32_t size) {
  // The thread information block: stack base at fs:4, stack limit at fs:8.
  uint32_t base = 0, limit = 0;
  asm("movl %%fs:4, %0" : "=r"(base));
  asm("movl %%fs:8, %0" : "=r"(limit));
  return address >= limit && address < base && base - address >= size && (address & 3) == 0;
}

// Whether `returnAddress` follows a direct call of `target`.
bool ReturnsFromCallOf(uint32_t returnAddress, uint32_t target) {
  uint8_t call[5];
  if (returnAddress < 5 || !ProcessMemoryReader().ReadRaw(returnAddress - 5, call, sizeof call) || call[0] != 0xE8)
    return false;
  const uint32_t offset = call[1] | call[2] << 8 | call[3] << 16 | static_cast<uint32_t>(call[4]) << 24;
  return returnAddress + offset == target;
}

}  // namespace

void PrepareThreadCreator() {
  std::vector<const void*> runtime;
  for (const char* name : {"msvcrt.dll", "ucrtbase.dll"}) {
    HMODULE module = GetModuleHandleA(name);
    if (!module) continue;
    for (const char* routine : {"_beginthreadex", "_beginthread"})
      runtime.push_back(reinterpret_cast<const void*>(GetProcAddress(module, routine)));
  }
  const auto* pthreadCreate = reinterpret_cast<const void*>(&pthread_create);
  // Only the modules that hold the routines are decoded: a snapshot of the
  // whole process costs start-up a walk of the address space and reads of
  // every module's headers.
  std::vector<uint32_t> addresses{base::AddressOf(pthreadCreate)};
  for (const void* entry : runtime) addresses.push_back(base::AddressOf(entry));
  TMemorySnapshot memory;
  if (!TakeModulesSnapshot(memory, addresses)) return;
  for (const void* entry : runtime) g_routines.Runtime.push_back(Parse(entry, memory));
  g_routines.PthreadCreate = Parse(pthreadCreate, memory);
}

uint32_t ThreadCreator(const void* hookFrame) {
  // The hooked call's frame: the caller's frame pointer, then the return
  // address into the caller.
  const auto* slot = static_cast<const uint32_t*>(hookFrame) + 1;
  uint32_t creator = *slot;
  for (const TRoutine& r : g_routines.Runtime) {
    if (!r.Holds(creator)) continue;
    // The C runtime's routine keeps a frame: its caller is one frame up.
    const uint32_t frame = slot[-1];
    if (frame <= base::AddressOf(slot) || !OnStack(frame, 8)) return creator;
    slot = reinterpret_cast<const uint32_t*>(frame) + 1;
    creator = *slot;
    break;
  }
  if (!g_routines.PthreadCreate.Holds(creator)) return creator;
  // pthread_create keeps no frame pointer: its own return address is the
  // first word further up the stack that returns from a call of it.
  constexpr int kMaxFrameWords = 64;
  for (const uint32_t* p = slot + 1; p < slot + kMaxFrameWords && OnStack(base::AddressOf(p), 4); ++p)
    if (ReturnsFromCallOf(*p, g_routines.PthreadCreate.Entry)) return *p;
  return creator;
}

}  // namespace quor
