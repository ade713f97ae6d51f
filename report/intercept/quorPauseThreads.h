// Pausing the program's threads while an exception is handled. Threads are
// not suspended by the platform (a suspended thread may hold a lock the
// report needs); they pause themselves at the next message retrieval: the
// four message-retrieval calls of every loaded module are redirected through
// a gate that waits while the pause lasts. The main thread pauses always,
// other threads only when a module carrying the reporter's symbol resource
// started them (the program's own threads, not those of system libraries).
#pragma once

#include <cstdint>

namespace quor {

// At start-up, in the main thread: the wake-up message of the reporter's
// message window runs the gate in the main thread. False when the message
// cannot be registered.
[[nodiscard]] bool RegisterPauseGate();
// At shutdown: the wake-up message is unregistered and every paused thread
// is let go.
void UnregisterPauseGate();

// Pauses the main thread and the program's other threads except the caller
// and `reportingThreadId`; the first pause hooks the message retrieval.
void PauseThreads(uint32_t reportingThreadId);
void ResumeThreads();

// Waits while the calling thread is paused; keeps the thread's last error.
void PauseGate();

}  // namespace quor
