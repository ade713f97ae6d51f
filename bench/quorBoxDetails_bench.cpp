// The details model of the exception box for a 1 MB report: every tab's
// text turned into columns and rows (the goal: well under 200 ms), and
// 100 lines of 10,000 characters in columns, as a list and as a call stack.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "report/box/quorDetailsFormat.h"
#include "report/box/quorDetailsTabs.h"
#include "bench/DetailsReport.h"

namespace {

void DetailsOfAOneMegabyteReport(benchmark::State& state) {
  const std::vector<quor::TBoxReportPart> header{{"exception message", "Range check error"}};
  const std::vector<quor::TBoxReportPart> sections = bench::DetailsReportSections(1 << 20);
  for (auto _ : state) {
    for (const quor::TDetailsTab& tab : quor::DetailsTabs(sections)) {
      const std::string text = quor::DetailsTabText(tab, header, sections);
      const std::string name = tab.Kind == quor::TDetailsTabKind::Section ? sections[tab.First].Name : "";
      benchmark::DoNotOptimize(quor::FormatDetails(tab.Kind, name, text));
    }
  }
}
BENCHMARK(DetailsOfAOneMegabyteReport)->Unit(benchmark::kMillisecond);

void LongLines(benchmark::State& state) {
  std::string text;
  for (int l = 0; l < 100; ++l) {
    std::string line(10000, 'a' + l % 26);
    for (size_t i = 9; i < line.size(); i += 10) line[i] = ' ';
    text += line + "\r\n";
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(quor::FormatDetails(quor::TDetailsTabKind::Section, "modules", text));
    benchmark::DoNotOptimize(quor::FormatDetails(quor::TDetailsTabKind::CallStack, "", text));
  }
}
BENCHMARK(LongLines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
