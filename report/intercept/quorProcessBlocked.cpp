#include "report/intercept/quorProcessBlocked.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "base/Address.h"

namespace quor {

namespace {

// The two locks are critical sections that the process environment block
// points to, at fixed offsets of its 32-bit layout.
// Windows: the process-environment lock at 0x1C, the loader lock at 0xA0; an
// undocumented layout that Wine keeps the same.
constexpr size_t kFastPebLockOffset = 0x1C;
constexpr size_t kLoaderLockOffset = 0xA0;

// The thread environment block (at fs:0) holds the address of the process
// environment block at offset 0x30.
const RTL_CRITICAL_SECTION* PebLock(size_t offset) {
  const uint8_t* peb = nullptr;
  asm("movl %%fs:0x30, %0" : "=r"(peb));
  if (!peb) return nullptr;
  return *reinterpret_cast<const RTL_CRITICAL_SECTION* const*>(peb + offset);
}

// The owner of a critical section: its thread id, or 0 when it is free.
// Windows: OwningThread holds the owner's thread id, not a handle, despite its
// type; a reading thread sees it change under it, hence the volatile read.
uint32_t Owner(const RTL_CRITICAL_SECTION* lock) {
  if (!lock) return 0;
  return base::AddressOf(*static_cast<HANDLE const volatile*>(&lock->OwningThread));
}

bool HeldByAnother(size_t offset) {
  const uint32_t owner = Owner(PebLock(offset));
  return owner != 0 && owner != GetCurrentThreadId();
}

bool BlockedNow() { return HeldByAnother(kLoaderLockOffset) || HeldByAnother(kFastPebLockOffset); }

}  // namespace

bool ProcessBlocked(unsigned waitMs) {
  const DWORD start = GetTickCount();
  while (BlockedNow()) {
    if (GetTickCount() - start >= waitMs) return true;
    Sleep(10);
  }
  return false;
}

bool ProcessLockHeldHere() {
  const uint32_t self = GetCurrentThreadId();
  return Owner(PebLock(kLoaderLockOffset)) == self || Owner(PebLock(kFastPebLockOffset)) == self;
}

}  // namespace quor
