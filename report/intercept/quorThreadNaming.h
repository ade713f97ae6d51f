// The platform's thread-naming convention: a program tells a debugger a
// thread's name by raising exception 0x406D1388 with a record of type
// 0x1000, the name, the thread id (-1: the raising thread) and flags 0.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace quor {

inline constexpr DWORD kThreadNamingCode = 0x406D1388;

// Raises the naming exception for the thread and ignores it: an attached
// debugger reads the name on its first chance; nothing else sees the raise.
void RaiseThreadNaming(uint32_t threadId, const char* name);

// True when `record` is a naming exception of the convention; gives the
// named thread (the current one for -1) and the name, read without faulting
// (at most 255 characters).
[[nodiscard]] bool ReadThreadNaming(const EXCEPTION_RECORD& record, uint32_t& threadId, std::string& name);

}  // namespace quor
