// The numbers 32-bit x86 code gives its registers in the ModR/M, SIB and
// opcode fields, and the encodings of those fields that name no register.
#pragma once

#include <cstdint>

namespace quor {

// General registers; 16-bit addressing names bx, bp, si and di by the same
// numbers as ebx, ebp, esi and edi.
enum TX86Reg : int8_t { kNoReg = -1, kEax = 0, kEcx, kEdx, kEbx, kEsp, kEbp, kEsi, kEdi };
constexpr int kGeneralRegCount = 8;

// Segment registers, in the order of the segment register field.
enum TSegReg : int8_t { kNoSegment = -1, kEs = 0, kCs, kSs, kDs, kFs, kGs };

// ModR/M: mod 3 is a register operand; r/m 4 is followed by a SIB byte, and
// r/m 5 with mod 0 is a 32-bit address without base.
constexpr uint8_t kModRegister = 3;
constexpr uint8_t kRmSib = 4;
constexpr uint8_t kRmDisp32 = 5;
// SIB: index 4 is no index, base 5 with mod 0 no base (a 32-bit displacement).
constexpr uint8_t kSibNoIndex = 4;
constexpr uint8_t kSibNoBase = 5;
// 16-bit addressing: r/m 6 with mod 0 is a 16-bit address without base.
constexpr uint8_t kRm16Disp16 = 6;

}  // namespace quor
