// Texts of the report sections that come from raw data: the CPU registers,
// the stack dump, the call-stack check sums and, until the stack tracer
// names functions, the call stack as its list of return-address candidates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quor {

struct TCpuRegisters {
  uint32_t Eax = 0, Ebx = 0, Ecx = 0, Edx = 0, Esi = 0, Edi = 0, Eip = 0, Esp = 0, Ebp = 0;
};

// Nine lines "eax = 0012ff40" ... "ebp = ...".
[[nodiscard]] std::string CpuRegistersText(const TCpuRegisters& r);

// At most 20 lines of 16 bytes from `address`: address, two blanks, the bytes
// in hexadecimal ("- " before the ninth), a blank, the bytes as characters
// ("." outside 33..126). A short last line is padded to keep the columns.
[[nodiscard]] std::string StackDumpText(uint32_t address, const std::vector<uint8_t>& bytes);

// "$1a2b3c4d, $00000000, $ffffffff" (31 characters).
[[nodiscard]] std::string CallstackCrcText(uint32_t crc0, uint32_t crc1, uint32_t crc2);

// One line of a provisional call stack: an address and the name of the
// module that holds it ("???" when none).
struct TStackLine {
  uint32_t Address = 0;
  std::string Module;
};

// Lines "0040a1f0 Sorvenal.exe", newest first, module names as given.
[[nodiscard]] std::string StackLinesText(const std::vector<TStackLine>& lines);

// The two check sums of a call stack: the first is the newest address; the
// second starts with it and takes in the four bytes of every further
// address (CRC-32 table update, no inversion).
struct TStackCrcs {
  uint32_t First = 0, Second = 0;
};
[[nodiscard]] TStackCrcs StackCrcs(const std::vector<TStackLine>& lines);

}  // namespace quor
