// Texts of the report sections that come from raw data: the CPU registers,
// the stack dump and the call-stack check sums of the header.
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

}  // namespace quor
