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

#include "bench/x86TypicalCode.h"
#include "report/disasm/quorDisAsm.h"

namespace {

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
  static const std::vector<uint8_t> typical = TypicalX86Code();
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

// Zydis over the bytes; decode(decoder, data, size, length) decodes one
// instruction and gives its length (false: undecodable).
template <typename Decode>
void ZydisSweep(benchmark::State& state, Decode decode) {
  const std::vector<uint8_t>& bytes = Bytes(int(state.range(0)));
  ZydisDecoder decoder;
  ZydisDecoderInit(&decoder, ZYDIS_MACHINE_MODE_LEGACY_32, ZYDIS_STACK_WIDTH_32);
  size_t count = 0;
  for (auto _ : state) {
    size_t at = 0;
    while (at < bytes.size()) {
      size_t length = 1;
      if (!decode(decoder, bytes.data() + at, bytes.size() - at, length)) length = 1;
      at += length;
      ++count;
    }
  }
  state.SetItemsProcessed(int64_t(count));
  Label(state);
}

// Zydis, instruction only (length, opcode, ModR/M, immediates; no operands).
void BM_Zydis(benchmark::State& state) {
  ZydisSweep(state, [](const ZydisDecoder& decoder, const uint8_t* data, size_t size, size_t& length) {
    ZydisDecodedInstruction i;
    if (!ZYAN_SUCCESS(ZydisDecoderDecodeInstruction(&decoder, nullptr, data, size, &i))) return false;
    length = i.length;
    return true;
  });
}
BENCHMARK(BM_Zydis)->Arg(0)->Arg(1);

// Zydis with its operands decoded too (what our decoder also works out).
void BM_ZydisOperands(benchmark::State& state) {
  ZydisSweep(state, [](const ZydisDecoder& decoder, const uint8_t* data, size_t size, size_t& length) {
    ZydisDecodedInstruction i;
    ZydisDecodedOperand ops[ZYDIS_MAX_OPERAND_COUNT];
    if (!ZYAN_SUCCESS(ZydisDecoderDecodeFull(&decoder, data, size, &i, ops))) return false;
    benchmark::DoNotOptimize(ops[0].type);
    length = i.length;
    return true;
  });
}
BENCHMARK(BM_ZydisOperands)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
