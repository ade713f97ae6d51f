// The Win32 side of the stack tracer: module descriptions from the loaded
// images (file name, entry point, exports, debug symbols), and reading
// another thread's registers and stack while it is suspended.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "report/stacktrace/quorStackTrace.h"

namespace quor {

// Supplies a module's debug symbols (null: none). The symbol store installs
// its provider; until then modules are traced with their exports.
using StackSymbolsProvider = std::shared_ptr<const IStackSymbols> (*)(uint32_t moduleHandle);
void SetStackSymbolsProvider(StackSymbolsProvider provider);

// Describes loaded modules through their PE headers, read with guarded reads.
class TWinModuleDescriber : public IModuleDescriber {
public:
  bool Describe(const TModuleImage& image, const TMemorySnapshot& memory, TTraceModule& module) const override;
};
const IModuleDescriber& WinModuleDescriber();

// A thread's state, read while it was suspended: its registers, its stack
// range and a copy of its stack from the stack pointer up, taken before it
// ran on.
struct TThreadState {
  uint32_t Eax = 0, Ebx = 0, Ecx = 0, Edx = 0, Esi = 0, Edi = 0, Eip = 0, Esp = 0, Ebp = 0;
  uint32_t StackTop = 0;       // end of the stack pointer's memory region
  bool Suspended = false;      // its suspend count was above 0 before
  uint32_t StackAt = 0;        // address of the first copied stack byte
  std::vector<uint8_t> Stack;  // [StackAt, StackTop) as it was; empty when not copied
};

// Suspends the thread (not the calling one), copies its registers and its
// stack words into memory taken before the suspension, and resumes it.
// While it stands still nothing allocates or locks: the thread may hold the
// heap's lock or any other. False when the thread cannot be opened or its
// context cannot be read.
bool ReadThreadState(uint32_t threadId, TThreadState& state);

// The end of the committed region that holds address (0: none).
uint32_t RegionEnd(uint32_t address);

}  // namespace quor
