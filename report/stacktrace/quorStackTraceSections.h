// The report sections that follow a trace: the stack dump read through
// guarded reads, and the disassembly of the function the trace returned.
#pragma once

#include <cstdint>
#include <string>

#include "report/stacktrace/quorStackTrace.h"

namespace quor {

// At most 20 lines of 16 bytes from the stack pointer, not beyond stackTop.
std::string StackDumpSection(uint32_t stackPointer, uint32_t stackTop, const TMemorySnapshot& memory);

// The function of the trace's first shown item with a function start,
// its address marked; empty when the trace returned no function.
std::string DisAsmSection(const TTraceResult& trace, const TMemorySnapshot& memory, const IDisAsmSymbols* symbols,
                          bool formatDisAsm, int limitDisAsm);

}  // namespace quor
