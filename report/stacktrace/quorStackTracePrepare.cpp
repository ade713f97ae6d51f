// The quick preparation: return-address candidates collected while the
// thread's stack is certainly intact; the full trace runs later.
#include "report/stacktrace/quorStackTrace.h"
#include "report/stacktrace/quorStackTraceItems.h"

namespace quor {

int PrepareStackItems(uint32_t framePointer, uint32_t stackTop, uint32_t stackBottom, TDAPreStackItem& items,
                      bool isException, uint32_t current, const TMemorySnapshot& memory) {
  items.clear();
  stackBottom &= ~3u;
  std::vector<uint32_t> words;
  if (!ReadStackWords(stackBottom, stackTop, memory, words) || words.empty()) return -1;
  const std::vector<uint32_t> slots = FrameSlots(framePointer, stackBottom, stackTop, memory);
  for (size_t k = words.size(); k-- > 0;) {
    const uint32_t slot = stackBottom + uint32_t(k) * 4, value = words[k];
    if (isException && value == current) break;
    const bool sure = IsFrameSlot(slots, slot);
    if (FollowsCall(value, memory)) items.push_back({uint8_t(sure), value});
    if (sure && k > 0) --k;  // the saved frame pointer below it
  }
  return int(items.size()) - 1;
}

}  // namespace quor
