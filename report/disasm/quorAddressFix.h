// Correction of a reported exception address that points 4 bytes short of an
// instruction: when the address is no instruction start of its function but
// the address 4 bytes further is, the latter is the real one.
#pragma once

#include <cstdint>

#include "report/disasm/quorDisAsm.h"

namespace quor {

// `address` + 4 when `address` is no instruction start of the function at
// `functionStart` and `address` + 4 is; otherwise `address`. Instruction
// starts are found by decoding each code area of the parsed function from
// the area's start (tables inside the function are no code).
[[nodiscard]] uint32_t FixedExceptionAddress(uint32_t address, uint32_t functionStart, const TMemorySnapshot& memory);

}  // namespace quor
