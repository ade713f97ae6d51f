// Who started a thread: the code that asked for it, not the C runtime's
// start routines it went through. A thread started with std::thread passes
// the C++ library, winpthreads' pthread_create and the C runtime's
// _beginthreadex before it reaches the hooked creation call; its creator is
// the code that called pthread_create (inside the program), and that of a
// thread started with _beginthreadex the code that called _beginthreadex.
// Pausing threads relies on this: it pauses only threads whose creator lies
// in a module of the program.
#pragma once

#include <cstdint>

namespace quor {

// Once, before thread creation is hooked: finds the code of the start
// routines (the C runtime's _beginthreadex and _beginthread, and
// pthread_create).
void PrepareThreadCreator();

// The creator of a thread whose creation call was made from the frame that
// `hookFrame` (the frame pointer of the hooked creation call) returns to.
[[nodiscard]] uint32_t ThreadCreator(const void* hookFrame);

}  // namespace quor
