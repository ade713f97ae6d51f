// Throughput of the codecs on report-sized data: deflate (text and
// incompressible bytes), inflate, CRC-32 and base64.
#include "report/codec/quorBase64.h"
#include "report/codec/quorZip.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::string ReportText(size_t size) {
  std::string text;
  for (int line = 0; text.size() < size; ++line)
    text += "00401a2c +0012 Sorvenal.exe formmain 112 +3 TMainForm.Button_CalculateCheckSumClick #" +
            std::to_string(line) + "\r\n";
  text.resize(size);
  return text;
}

std::string Noise(size_t size) {
  std::mt19937 gen(1);
  std::string s(size, '\0');
  for (auto& c : s) c = char(gen());
  return s;
}

void Deflate(benchmark::State& state, const std::string& data) {
  std::vector<uint8_t> out(quor::DeflateCapacity(uint32_t(data.size())));
  for (auto _ : state)
    benchmark::DoNotOptimize(quor::DeflateBuffer(data.data(), out.data(), uint32_t(data.size()), uint32_t(out.size())));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void BM_DeflateText(benchmark::State& state) { Deflate(state, ReportText(size_t(state.range(0)))); }
void BM_DeflateNoise(benchmark::State& state) { Deflate(state, Noise(size_t(state.range(0)))); }

void BM_Inflate(benchmark::State& state) {
  const std::string data = ReportText(size_t(state.range(0)));
  std::vector<uint8_t> packed(quor::DeflateCapacity(uint32_t(data.size())));
  const int n = quor::DeflateBuffer(data.data(), packed.data(), uint32_t(data.size()), uint32_t(packed.size()));
  std::string out(data.size(), '\0');
  for (auto _ : state)
    benchmark::DoNotOptimize(quor::InflateBuffer(packed.data(), out.data(), uint32_t(n), uint32_t(out.size())));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

// zlib's own one-call routines on the same data: the wrappers must cost
// nothing measurable on top of them (compress2 adds its framing and Adler-32).
void BM_ZlibCompress2Text(benchmark::State& state) {
  const std::string data = ReportText(size_t(state.range(0)));
  std::vector<uint8_t> out(compressBound(uLong(data.size())));
  for (auto _ : state) {
    uLongf n = uLongf(out.size());
    benchmark::DoNotOptimize(
        compress2(out.data(), &n, reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()), 1));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void BM_ZlibUncompress(benchmark::State& state) {
  const std::string data = ReportText(size_t(state.range(0)));
  std::vector<uint8_t> packed(compressBound(uLong(data.size())));
  uLongf n = uLongf(packed.size());
  compress2(packed.data(), &n, reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()), 1);
  std::string out(data.size(), '\0');
  for (auto _ : state) {
    uLongf m = uLongf(out.size());
    benchmark::DoNotOptimize(uncompress(reinterpret_cast<Bytef*>(out.data()), &m, packed.data(), n));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void BM_ZlibCrc32(benchmark::State& state) {
  const std::string data = Noise(size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(crc32_z(0, reinterpret_cast<const Bytef*>(data.data()), data.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void BM_Crc32(benchmark::State& state) {
  const std::string data = Noise(size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(quor::Crc32Update(0xFFFFFFFFu, data.data(), data.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void BM_Base64Encode(benchmark::State& state) {
  const std::string data = Noise(size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(quor::Base64Encode(data));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

BENCHMARK(BM_DeflateText)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(BM_DeflateNoise)->Arg(1 << 20);
BENCHMARK(BM_Inflate)->Arg(1 << 20);
BENCHMARK(BM_ZlibCompress2Text)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(BM_ZlibUncompress)->Arg(1 << 20);
BENCHMARK(BM_Crc32)->Arg(4 << 10)->Arg(1 << 20);
BENCHMARK(BM_ZlibCrc32)->Arg(4 << 10)->Arg(1 << 20);
BENCHMARK(BM_Base64Encode)->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
