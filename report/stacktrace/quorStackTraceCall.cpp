// The return-address test and the frame-pointer chain.
#include <algorithm>

#include "report/stacktrace/quorStackTrace.h"
#include "report/stacktrace/quorStackTraceItems.h"

namespace quor {

// A relative call (E8 rel32) ends 5 bytes before, a far call with an
// immediate pointer (9A ptr16:32) 7 bytes before, and an indirect near or far
// call (FF /2, FF /3) of 2, 3, 4, 6 or 7 bytes ends at the value.
bool FollowsCall(uint32_t value, const TMemorySnapshot& memory) {
  uint8_t b[8];
  if (value <= 7 || !memory.Read(value - 8, b, 8)) return false;
  if (b[3] == 0xE8 || b[1] == 0x9A) return true;
  for (int length : {2, 3, 4, 6, 7}) {
    const uint8_t op = b[8 - length], modrm = b[9 - length];
    const int reg = (modrm >> 3) & 7;
    if (op == 0xFF && (reg == 2 || reg == 3)) return true;
  }
  return false;
}

std::vector<uint32_t> FrameSlots(uint32_t framePointer, uint32_t stackBottom, uint32_t stackTop,
                                 const TMemorySnapshot& memory) {
  std::vector<uint32_t> slots;
  const auto inside = [&](uint64_t a) { return a >= stackBottom && a + 4 <= stackTop; };
  uint32_t f = framePointer;
  if (!inside(uint64_t(f) + 4)) return slots;
  slots.push_back(f + 4);
  // Each saved frame pointer lies above the previous one, so the walk ends.
  for (;;) {
    uint32_t next;
    if (!memory.ReadDword(f, next) || next <= f || !inside(uint64_t(next) + 4)) break;
    f = next;
    slots.push_back(f + 4);
  }
  return slots;
}

bool IsFrameSlot(const std::vector<uint32_t>& slots, uint32_t slot) {
  return std::binary_search(slots.begin(), slots.end(), slot);
}

bool ReadStackWords(uint32_t stackBottom, uint32_t stackTop, const TMemorySnapshot& memory,
                    std::vector<uint32_t>& words) {
  words.clear();
  if (stackTop <= stackBottom || stackTop - stackBottom > kMaxStackBytes) return false;
  words.resize((stackTop - stackBottom) / 4);
  return words.empty() || memory.Read(stackBottom, words.data(), uint32_t(words.size() * 4));
}

}  // namespace quor
