// Decoding speed of the x86 decoder: linear decoding of a buffer of typical code,
// with and without text, and function parsing.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/x86TypicalCode.h"
#include "report/disasm/quorDisAsm.h"

namespace {

void BM_DecodeLinear(benchmark::State& state) {
  quor::TBufferReader reader(0x401000, TypicalX86Code());
  const quor::TMemorySnapshot s = quor::BufferSnapshot(reader);
  size_t count = 0;
  for (auto _ : state) {
    uint32_t a = reader.Base();
    const uint32_t end = reader.Base() + reader.Size() - 16;
    while (a < end) {
      const quor::InstructionInfo i = quor::DecodeInstruction(a, &s);
      a = i.Valid ? i.Next : a + 1;
      ++count;
    }
  }
  state.SetItemsProcessed(int64_t(count));
}
BENCHMARK(BM_DecodeLinear);

void BM_DecodeText(benchmark::State& state) {
  quor::TBufferReader reader(0x401000, TypicalX86Code());
  const quor::TMemorySnapshot s = quor::BufferSnapshot(reader);
  size_t count = 0;
  for (auto _ : state) {
    uint32_t a = reader.Base();
    const uint32_t end = reader.Base() + 16 * 1024;
    while (a < end) {
      quor::TDecoded d;
      quor::DecodeInstructionFull(a, &s, nullptr, d);
      benchmark::DoNotOptimize(quor::InstructionText(d));
      a = d.Info.Valid ? d.Info.Next : a + 1;
      ++count;
    }
  }
  state.SetItemsProcessed(int64_t(count));
}
BENCHMARK(BM_DecodeText);

void BM_ParseFunction(benchmark::State& state) {
  quor::TBufferReader reader(0x401000, TypicalX86Code());
  const quor::TMemorySnapshot s = quor::BufferSnapshot(reader);
  for (auto _ : state) benchmark::DoNotOptimize(quor::ParseFunction(reader.Base(), &s));
}
BENCHMARK(BM_ParseFunction);

}  // namespace

BENCHMARK_MAIN();
