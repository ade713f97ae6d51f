// The tracer over random stacks and random code: the first half of the input
// is code at a module address, the second half the stack; the first bytes
// choose the frame pointer, the current address and the settings.
#include <cstring>
#include <map>

#include "report/stacktrace/quorStackTrace.h"

namespace {

constexpr uint32_t kCode = 0x00401000, kStack = 0x00120000;

class TTwoBlocks : public quor::IMemoryReader {
public:
  std::vector<uint8_t> Code, Stack;
  bool ReadRaw(uint32_t address, void* out, uint32_t size) const override {
    for (const auto& [base, bytes] : {std::pair<uint32_t, const std::vector<uint8_t>*>{kCode, &Code}, {kStack, &Stack}})
      if (address >= base && uint64_t(address) + size <= base + bytes->size()) {
        std::memcpy(out, bytes->data() + (address - base), size);
        return true;
      }
    return false;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 16) return 0;
  uint32_t fp, current;
  std::memcpy(&fp, data, 4);
  std::memcpy(&current, data + 4, 4);
  const uint8_t flags = data[8];
  data += 16, size -= 16;
  TTwoBlocks memory;
  memory.Code.assign(data, data + size / 2);
  memory.Stack.assign(data + size / 2, data + size);
  memory.Stack.resize(memory.Stack.size() & ~size_t(3));
  quor::TMemorySnapshot snapshot(&memory);
  snapshot.AddRange({kCode, uint32_t(memory.Code.size()), true, true});
  snapshot.AddRange({kStack, uint32_t(memory.Stack.size()), true, true});
  snapshot.AddModule({kCode, uint32_t(memory.Code.size()), kCode, kCode + uint32_t(memory.Code.size()), 0, 0});
  quor::TTraceTables tables;
  quor::TTraceRequest r;
  r.StackBottom = kStack, r.StackTop = kStack + uint32_t(memory.Stack.size());
  r.FramePointer = kStack + (fp % (memory.Stack.size() + 8));
  r.Current = kCode + (current % (memory.Code.size() + 4));
  r.IsException = flags & 1, r.IsPlatformException = flags & 2, r.HideUglyItems = flags & 4;
  r.ShowRelAddrs = flags & 8, r.ShowRelLines = flags & 16, r.SimpleTrace = flags & 32;
  r.Memory = &snapshot, r.Tables = &tables;
  (void)quor::TraceThreadStack(r);
  quor::TDAPreStackItem items;
  (void)quor::PrepareStackItems(r.FramePointer, r.StackTop, r.StackBottom, items, flags & 1, r.Current, snapshot);
  return 0;
}
