// The raise capture: every C++ throw of the program (and of the statically
// linked C++ library) passes here before the stack unwinds, so the report can
// show where an exception was raised. Per thread it keeps the object, its
// type, the raise address, the 204-byte CPU context and the return addresses
// of the frame-pointer chain at the raise (the frames between the throw and
// the catch are overwritten once the handler runs).
#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>

namespace quor {

inline constexpr uint32_t kContextSize = 204;  // the context record without extended registers
inline constexpr uint32_t kRaiseFrames = 32;

struct TRaiseRecord {
  const void* Object = nullptr;
  const std::type_info* Type = nullptr;
  uint32_t Address = 0;
  uint8_t Context[kContextSize] = {};
  uint32_t FrameCount = 0;
  uint32_t Frames[kRaiseFrames] = {};  // return addresses, newest first
};

// The calling thread's record.
[[nodiscard]] TRaiseRecord& ThreadRaiseRecord();
void ClearRaiseRecord();

// Installs the vectored handler that turns an access violation, a division
// by zero or an integer overflow in the program's own code into a C++
// exception (EAccessViolation, EZeroDivide, EIntOverflow) thrown from the
// faulting instruction; RemoveFaultConversion undoes it.
[[nodiscard]] bool InstallFaultConversion();
void RemoveFaultConversion();

// The runtime's message for an access violation: "Access violation at
// address 0040A1F0 in module 'Sorvenal.exe'. Read of address 00000000".
[[nodiscard]] std::string AccessViolationMessage(uint32_t address, bool write, uint32_t target);

}  // namespace quor
