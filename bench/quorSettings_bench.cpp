// Settings look-ups by name in the program's own settings (the first and the
// last of its 120 stored properties, and a name that is absent), reading the
// whole resource, and placeholder expansion of a typical text.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "report/settings/quorPlaceholders.h"
#include "report/settings/quorSettingsProperty.h"
#include "report/settings/quorSettingsResource.h"
#include "tools/SettingsForm.h"

namespace {

std::vector<uint8_t> ProgramResource() {
  std::ifstream in(QUOR_SETTINGS_SOURCE);
  std::stringstream text;
  text << in.rdbuf();
  return settingsform::Compile(text.str(), ".");
}

struct LoadedRecord {
  quor::ModuleSettingsRecord record{};
  LoadedRecord() {
    const auto bytes = ProgramResource();
    (void)quor::ReadSettingsResource(bytes.data(), bytes.size(), record, quor::CrtSettingsHeap());
  }
  ~LoadedRecord() { quor::FreeProperties(record, quor::CrtSettingsHeap()); }
};

void Lookup(benchmark::State& state, const char* name) {
  static LoadedRecord loaded;
  for (auto _ : state) benchmark::DoNotOptimize(quor::FindProperty(loaded.record, name));
}

void BM_LookupFirst(benchmark::State& state) { Lookup(state, "Enabled"); }
void BM_LookupLast(benchmark::State& state) { Lookup(state, "SendFailMsg"); }
void BM_LookupAbsent(benchmark::State& state) { Lookup(state, "NoSuchSetting"); }

void BM_ReadResource(benchmark::State& state) {
  const auto bytes = ProgramResource();
  for (auto _ : state) {
    quor::ModuleSettingsRecord record{};
    benchmark::DoNotOptimize(quor::ReadSettingsResource(bytes.data(), bytes.size(), record, quor::CrtSettingsHeap()));
    quor::FreeProperties(record, quor::CrtSettingsHeap());
  }
}

class FixedValues : public quor::PlaceholderValues {
public:
  std::string AppName() override { return "Sorvenal.exe"; }
  std::string ModuleName() override { return "Sorvenal.exe"; }
  std::string AppVersion() override { return "1.0.0.0"; }
  std::string ModuleVersion() override { return "1.0.0.0"; }
  quor::LocalTime Now() override { return {2026, 12, 10, 3, 45, 12, 0}; }
};

void BM_ExpandPlaceholders(benchmark::State& state) {
  FixedValues values;
  const std::string text =
      "%appname% caused an error on %date% at %time%.%LF%The file \"%modname%\" (%modversion%) reported: "
      "%exceptMsg%%LF%%bugReport%";
  const std::string report(4000, 'r');
  for (auto _ : state) benchmark::DoNotOptimize(quor::ExpandPlaceholders(text, values, "Range check error.", report));
}

BENCHMARK(BM_LookupFirst);
BENCHMARK(BM_LookupLast);
BENCHMARK(BM_LookupAbsent);
BENCHMARK(BM_ReadResource);
BENCHMARK(BM_ExpandPlaceholders);

}  // namespace

BENCHMARK_MAIN();
