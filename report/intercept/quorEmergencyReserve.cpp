#include "report/intercept/quorEmergencyReserve.h"

#include <windows.h>

#include <atomic>

namespace quor {

namespace {

constexpr SIZE_T kReservedSize = 0x400000, kCommittedSize = 0x80000;
std::atomic<void*> g_slots[8];

}  // namespace

void TakeEmergencyReserve() {
  for (int i = 0; i < 8; ++i) {
    if (g_slots[i].load()) continue;
    const bool reserved = i < 4;
    void* block = VirtualAlloc(nullptr, reserved ? kReservedSize : kCommittedSize,
                               reserved ? MEM_RESERVE : MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
    void* expected = nullptr;
    if (block && !g_slots[i].compare_exchange_strong(expected, block)) VirtualFree(block, 0, MEM_RELEASE);
  }
}

void ReleaseEmergencyReserve() {
  for (auto& slot : g_slots)
    if (void* block = slot.exchange(nullptr)) VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace quor
