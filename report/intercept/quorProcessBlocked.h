// Whether the process is blocked: another thread holds the platform's loader
// lock or its process-environment lock. While one of them is held, any call
// that loads a library, reads a resource or starts a thread waits for it, so
// code that needs such calls from another thread would wait too.
#pragma once

namespace quor {

// True when one of the two locks is held by a thread other than the caller
// at every test; the test repeats every 10 ms until `waitMs` have passed
// (0: one test).
[[nodiscard]] bool ProcessBlocked(unsigned waitMs);

// True when the calling thread itself holds one of the two locks: then no
// other thread can do the caller's work while the caller waits for it.
[[nodiscard]] bool ProcessLockHeldHere();

}  // namespace quor
