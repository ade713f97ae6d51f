// The freeze watchdog: a thread of highest priority that probes the main
// thread through the reporter's message window and reports a freeze
// (source 1, can continue) after ten unanswered probes. One watchdog runs
// per process.
#pragma once

#include <windows.h>

#include <cstdint>

namespace quor {

// Starts the watchdog with the freeze time-out in milliseconds; false when
// the time-out is not positive, the message window is missing or the
// thread cannot be started.
[[nodiscard]] bool StartFreezeWatchdog(int32_t timeoutMs);
void StopFreezeWatchdog();
[[nodiscard]] uint32_t FreezeWatchdogThreadId();

// Nested suspension for long operations of the program; ignored when
// called by the watchdog itself. Every call resets the probe counter.
void SuspendFreezeCheck(bool on);
// The main thread has been heard from (end of every handled event).
void ResetFreezeCounter();
// The box of a reported freeze closes itself (null message 777/777) once the
// main thread answers a probe again.
void CloseFreezeBoxOnAnswer(HWND box);

}  // namespace quor
