// Decode throughput of our x86 decoder beside Zydis on the same bytes, in
// one run: a linear sweep, one instruction after the other, no text. The
// bytes: i686 code compiled from this project's sources (DISASM_BENCH_CODE,
// written by the build when the cross compiler is there) and a block of
// typical compiled code. Items per second are instructions per second.
#include <benchmark/benchmark.h>

#include <Zydis/Zydis.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "report/quorDisAsm.h"

namespace {

std::vector<uint8_t> TypicalBlock() {
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

std::vector<uint8_t> CompiledCode() {
  std::ifstream in(DISASM_BENCH_CODE, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const std::vector<uint8_t>& Compiled() {
  static const std::vector<uint8_t> bytes = CompiledCode();
  return bytes;
}

// Argument 0: the compiled code (the typical block when it is missing), 1: the typical block.
const std::vector<uint8_t>& Bytes(int which) {
  static const std::vector<uint8_t> typical = TypicalBlock();
  return which == 0 && !Compiled().empty() ? Compiled() : typical;
}

void Label(benchmark::State& state) {
  state.SetLabel(state.range(0) == 0 && !Compiled().empty() ? "compiled code" : "typical block");
}

// Ours: the decoder as the stack tracer calls it, through the snapshot.
void BM_Ours(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = Bytes(int(state.range(0)));
  quor::TBufferReader reader(0x401000, bytes);
  const quor::TMemorySnapshot s = quor::BufferSnapshot(reader);
  const uint32_t end = reader.Base() + reader.Size();
  size_t count = 0;
  for (auto _ : state) {
    uint32_t a = reader.Base();
    while (a < end) {
      const quor::InstructionInfo i = quor::DecodeInstruction(a, &s);
      benchmark::DoNotOptimize(i.Target);
      a = i.Valid ? i.Next : a + 1;
      ++count;
    }
  }
  state.SetItemsProcessed(int64_t(count));
  Label(state);
}
BENCHMARK(BM_Ours)->Arg(0)->Arg(1);

// Zydis, instruction only (length, opcode, ModR/M, immediates; no operands).
void BM_Zydis(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = Bytes(int(state.range(0)));
  ZydisDecoder decoder;
  ZydisDecoderInit(&decoder, ZYDIS_MACHINE_MODE_LEGACY_32, ZYDIS_STACK_WIDTH_32);
  size_t count = 0;
  for (auto _ : state) {
    size_t at = 0;
    while (at < bytes.size()) {
      ZydisDecodedInstruction i;
      const bool ok = ZYAN_SUCCESS(
          ZydisDecoderDecodeInstruction(&decoder, nullptr, bytes.data() + at, bytes.size() - at, &i));
      benchmark::DoNotOptimize(i.length);
      at += ok ? i.length : 1;
      ++count;
    }
  }
  state.SetItemsProcessed(int64_t(count));
  Label(state);
}
BENCHMARK(BM_Zydis)->Arg(0)->Arg(1);

// Zydis with its operands decoded too (what our decoder also works out).
void BM_ZydisOperands(benchmark::State& state) {
  const std::vector<uint8_t>& bytes = Bytes(int(state.range(0)));
  ZydisDecoder decoder;
  ZydisDecoderInit(&decoder, ZYDIS_MACHINE_MODE_LEGACY_32, ZYDIS_STACK_WIDTH_32);
  size_t count = 0;
  for (auto _ : state) {
    size_t at = 0;
    while (at < bytes.size()) {
      ZydisDecodedInstruction i;
      ZydisDecodedOperand ops[ZYDIS_MAX_OPERAND_COUNT];
      const bool ok = ZYAN_SUCCESS(
          ZydisDecoderDecodeFull(&decoder, bytes.data() + at, bytes.size() - at, &i, ops));
      benchmark::DoNotOptimize(ops[0].type);
      at += ok ? i.length : 1;
      ++count;
    }
  }
  state.SetItemsProcessed(int64_t(count));
  Label(state);
}
BENCHMARK(BM_ZydisOperands)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
