// A full trace of a deep stack: 200 frames of distinct functions, each
// calling the next, with debug symbols and line numbers; once with fresh
// tables (every function parsed) and once with the tables of a previous
// trace (functions parsed once per process).
#include <benchmark/benchmark.h>

#include <cstring>

#include "report/stacktrace/quorStackTrace.h"

namespace {

constexpr uint32_t kCode = 0x00401000, kStack = 0x00120000, kStackSize = 0x10000, kDepth = 200, kSize = 0x20;

class TTwoBlocks : public quor::IMemoryReader {
public:
  std::vector<uint8_t> Code, Stack;
  bool ReadRaw(uint32_t address, void* out, uint32_t size) const override {
    const std::vector<uint8_t>& b = address >= kStack && address < kStack + kStackSize ? Stack : Code;
    const uint32_t base = &b == &Stack ? kStack : kCode;
    if (address < base || uint64_t(address) + size > base + b.size()) return false;
    std::memcpy(out, b.data() + (address - base), size);
    return true;
  }
};

struct TSymbols : quor::IStackSymbols {
  bool PublicAt(uint32_t a, std::string& name, uint32_t& start) const override {
    if (a < kCode || a >= kCode + kDepth * kSize) return false;
    start = a - (a - kCode) % kSize;
    name = "f" + std::to_string((a - kCode) / kSize);
    return true;
  }
  std::string UnitAt(uint32_t) const override { return "deep.cpp"; }
  int32_t LineAt(uint32_t a) const override { return int32_t(10 + (a - kCode) / 4); }
};

struct TDescriber : quor::IModuleDescriber {
  std::shared_ptr<TSymbols> Symbols = std::make_shared<TSymbols>();
  bool Describe(const quor::TModuleImage&, const quor::TMemorySnapshot&, quor::TTraceModule& m) const override {
    m.FileName = "deep.exe", m.IsExecutable = true, m.Symbols = Symbols;
    return true;
  }
};

struct TDeepStack {
  TTwoBlocks memory;
  quor::TMemorySnapshot snapshot{&memory};
  TDescriber describer;
  uint32_t sp = kStack + kStackSize - 8, fp = 0;

  TDeepStack() {
    memory.Code.assign(kDepth * kSize, 0xCC);
    memory.Stack.assign(kStackSize, 0);
    // f_i: push ebp; mov ebp, esp; call f_{i+1}; pop ebp; ret
    for (uint32_t i = 0; i < kDepth; ++i) {
      uint8_t* f = &memory.Code[i * kSize];
      const uint32_t at = kCode + i * kSize, next = i + 1 < kDepth ? at + kSize : at + 3 + 5;
      const uint32_t rel = next - (at + 8);
      const uint8_t bytes[] = {
          0x55, 0x8B, 0xEC, 0xE8, uint8_t(rel), uint8_t(rel >> 8), uint8_t(rel >> 16), uint8_t(rel >> 24), 0x5D, 0xC3};
      std::memcpy(f, bytes, sizeof bytes);
    }
    Push(kCode + 8);
    for (uint32_t i = 0; i < kDepth; ++i) {
      Push(kCode + i * kSize + 8);
      Push(fp);
      fp = sp;
      Push(0x12345678);  // a local
    }
    snapshot.AddRange({kCode, uint32_t(memory.Code.size()), true, true});
    snapshot.AddRange({kStack, kStackSize, true, true});
    snapshot.AddModule({kCode, uint32_t(memory.Code.size()), kCode, kCode + uint32_t(memory.Code.size()), 0, 0});
  }
  void Push(uint32_t v) {
    sp -= 4;
    std::memcpy(&memory.Stack[sp - kStack], &v, 4);
  }
  quor::TTraceResult Trace(quor::TTraceTables& tables) const {
    quor::TTraceRequest r;
    r.StackBottom = sp, r.StackTop = kStack + kStackSize, r.FramePointer = fp;
    r.Current = kCode + (kDepth - 1) * kSize + 8;
    r.ShowRelAddrs = r.ShowRelLines = true;
    r.Memory = &snapshot, r.Tables = &tables, r.Describer = &describer;
    return quor::TraceThreadStack(r);
  }
};

void BM_TraceDeepStackFreshTables(benchmark::State& state) {
  const TDeepStack stack;
  for (auto _ : state) {
    quor::TTraceTables tables;
    const quor::TTraceResult t = stack.Trace(tables);
    if (t.Items.size() < kDepth) state.SkipWithError("trace lost frames");
  }
}
BENCHMARK(BM_TraceDeepStackFreshTables)->Unit(benchmark::kMillisecond);

void BM_TraceDeepStackKnownFunctions(benchmark::State& state) {
  const TDeepStack stack;
  quor::TTraceTables tables;
  (void)stack.Trace(tables);
  for (auto _ : state) benchmark::DoNotOptimize(stack.Trace(tables));
}
BENCHMARK(BM_TraceDeepStackKnownFunctions)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
