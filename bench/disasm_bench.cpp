// Decoding speed of the x86 decoder: linear decoding of a buffer of typical code,
// with and without text, and function parsing.
#include <benchmark/benchmark.h>

#include <vector>

#include "report/quorDisAsm.h"

namespace {

std::vector<uint8_t> TypicalCode() {
  // a prologue, loads and stores with SIB, calls, compares, jumps, SSE, x87
  const std::vector<uint8_t> block = {
      0x55, 0x89, 0xE5, 0x57, 0x56, 0x53, 0x83, 0xEC, 0x2C, 0x8B, 0x45, 0x08, 0x8B, 0x54, 0x24, 0x04,
      0x8B, 0x04, 0x8D, 0x00, 0x20, 0x40, 0x00, 0x85, 0xC0, 0x74, 0x05, 0xE8, 0x10, 0x00, 0x00, 0x00,
      0x0F, 0xB6, 0x08, 0x66, 0x0F, 0xEF, 0xC0, 0xF2, 0x0F, 0x10, 0x45, 0xF0, 0xDD, 0x45, 0xF8, 0xDE,
      0xC9, 0x3D, 0x00, 0x01, 0x00, 0x00, 0x0F, 0x87, 0x00, 0x01, 0x00, 0x00, 0xC7, 0x45, 0xFC, 0x01,
      0x00, 0x00, 0x00, 0x8D, 0x65, 0xF4, 0x5B, 0x5E, 0x5F, 0x5D};
  std::vector<uint8_t> code;
  while (code.size() < 64 * 1024) code.insert(code.end(), block.begin(), block.end());
  return code;
}

void BM_DecodeLinear(benchmark::State& state) {
  quor::TBufferReader reader(0x401000, TypicalCode());
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
  quor::TBufferReader reader(0x401000, TypicalCode());
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
  quor::TBufferReader reader(0x401000, TypicalCode());
  const quor::TMemorySnapshot s = quor::BufferSnapshot(reader);
  for (auto _ : state) benchmark::DoNotOptimize(quor::ParseFunction(reader.Base(), &s));
}
BENCHMARK(BM_ParseFunction);

}  // namespace

BENCHMARK_MAIN();
