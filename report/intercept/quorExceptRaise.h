// The raise capture: every C++ throw of the program (and of the statically
// linked C++ library) passes here before the stack unwinds, so the report can
// show where an exception was raised. Per thread it keeps the object, its
// type, the raise address, the 204-byte CPU context and the return addresses
// of the frame-pointer chain at the raise, and a copy of the stack words from
// the raise's stack pointer upwards (the frames between the throw and the
// catch are overwritten once the handler runs; the trace reads the copy).
#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>

namespace quor {

inline constexpr uint32_t kContextSize = 204;  // the context record without extended registers
inline constexpr uint32_t kRaiseFrames = 32;
inline constexpr uint32_t kRaiseStackBytes = 16 * 1024;  // at most this much of the stack is kept

struct TRaiseRecord {
  TRaiseRecord() = default;
  TRaiseRecord(const TRaiseRecord&) = delete;
  TRaiseRecord& operator=(const TRaiseRecord&) = delete;
  ~TRaiseRecord();  // gives the stack buffer back when the thread ends

  const void* Object = nullptr;
  const std::type_info* Type = nullptr;
  uint32_t Address = 0;
  uint8_t Context[kContextSize] = {};
  uint32_t FrameCount = 0;
  uint32_t Frames[kRaiseFrames] = {};  // return addresses, newest first
  uint32_t StackAt = 0;                // address of the first kept stack byte
  uint32_t StackSize = 0;              // bytes kept in Stack
  uint8_t* Stack = nullptr;            // the thread's buffer of kRaiseStackBytes, taken at its first throw
};

// The calling thread's record.
[[nodiscard]] TRaiseRecord& ThreadRaiseRecord();
void ClearRaiseRecord();

// Installs the vectored handler that turns an access violation, a division
// by zero or an integer overflow in the program's own code into a C++
// exception (EAccessViolation, EZeroDivide, EIntOverflow) thrown from the
// faulting instruction, and records the names of the platform's
// thread-naming exceptions; RemoveFaultConversion undoes it.
[[nodiscard]] bool InstallFaultConversion();
void RemoveFaultConversion();

// The runtime's message for an access violation: "Access violation at
// address 0040A1F0 in module 'Sorvenal.exe'. Read of address 00000000".
[[nodiscard]] std::string AccessViolationMessage(uint32_t address, bool write, uint32_t target);

}  // namespace quor
