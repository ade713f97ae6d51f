// Symbol loading of a map with 50,000 publics (text map and compact form)
// and lookups per second.
#include <benchmark/benchmark.h>

#include <string>

#include "report/symbols/quorCompactSymbols.h"
#include "report/symbols/quorMapText.h"

namespace {

constexpr uint32_t kCode = 0x401000;
constexpr uint32_t kPublics = 50000;

const quor::TMapFile& LargeMap() {
  static const quor::TMapFile map = [] {
    quor::TMapFile m;
    m.CodeStart = kCode;
    m.CodeEnd = kCode + kPublics * 0x40;
    for (uint32_t unit = 0; unit < 500; ++unit)
      m.Segments.push_back({1, 1, kCode + unit * 100 * 0x40, 100 * 0x40, "unit" + std::to_string(unit) + ".cpp", 0});
    for (uint32_t i = 0; i < kPublics; ++i) {
      m.Publics.push_back(
          {1, 1, "Namespace::Class" + std::to_string(i % 97) + "::Method" + std::to_string(i), kCode + i * 0x40});
      for (uint32_t line = 0; line < 4; ++line) m.Lines.push_back({i * 5 + line, kCode + i * 0x40 + line * 0x10});
    }
    m.Sort();
    return m;
  }();
  return map;
}

void BM_LoadMapText(benchmark::State& state) {
  const std::string text = quor::WriteMapText(LargeMap(), kCode);
  for (auto _ : state) {
    quor::TMapFile map;
    benchmark::DoNotOptimize(quor::ReadMapText(text, kCode, map));
  }
  state.SetItemsProcessed(state.iterations() * kPublics);
}
BENCHMARK(BM_LoadMapText)->Unit(benchmark::kMillisecond);

void BM_LoadCompactForm(benchmark::State& state) {
  const std::string form = quor::WriteCompactSymbols(LargeMap(), kCode);
  for (auto _ : state) {
    quor::TMapFile map;
    benchmark::DoNotOptimize(quor::ReadCompactSymbols(form, kCode, map));
  }
  state.SetItemsProcessed(state.iterations() * kPublics);
}
BENCHMARK(BM_LoadCompactForm)->Unit(benchmark::kMillisecond);

void BM_LookupPublicAndLine(benchmark::State& state) {
  const quor::TMapFile& map = LargeMap();
  uint32_t address = kCode;
  for (auto _ : state) {
    address = kCode + (address * 2654435761u) % (kPublics * 0x40);
    benchmark::DoNotOptimize(map.FindPublic(address));
    benchmark::DoNotOptimize(map.FindLine(address));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookupPublicAndLine);

}  // namespace

BENCHMARK_MAIN();
