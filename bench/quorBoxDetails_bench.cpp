// The details model of the exception box for a 1 MB report: every tab's
// text turned into columns and rows (the goal: well under 200 ms), and
// 100 lines of 10,000 characters in columns, as a list and as a call stack.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "report/box/quorDetailsFormat.h"
#include "report/box/quorDetailsTabs.h"

namespace {

std::string Hex8(uint32_t v) {
  char b[9];
  std::snprintf(b, sizeof b, "%08x", v);
  return b;
}

// About `bytes` of report: many threads' call stacks, modules, processes,
// registers, a stack dump and a disassembly, as the reporter writes them.
std::vector<quor::TBoxReportPart> Sections(size_t bytes) {
  std::vector<quor::TBoxReportPart> sections;
  size_t total = 0;
  for (uint32_t t = 0; total < bytes / 2; ++t) {
    std::string text;
    for (uint32_t i = 0; i < 40; ++i) {
      if (!text.empty()) text += "\r\n";
      text += Hex8(0x401000 + i * 0x35) + " +" + Hex8(i * 7).substr(5) + " Sorvenal.exe FormMain.cpp " +
              std::to_string(100 + i) + " +" + std::to_string(i % 9) + " TFormMain::Handler" + std::to_string(i);
    }
    total += text.size();
    sections.push_back({t == 0 ? "main thread ($1a4):" : "thread $" + std::to_string(t) + ":", text});
  }
  std::string modules, processes;
  for (uint32_t i = 0; modules.size() < bytes / 4; ++i)
    modules += Hex8(0x10000000 + i * 0x10000) + " module" + std::to_string(i % 1000) +
               ".dll   6.1.7601.17514 C:\\windows\\system32\r\n";
  for (uint32_t i = 0; processes.size() < bytes / 4; ++i)
    processes += Hex8(i).substr(4) + " process" + std::to_string(i % 1000) + ".exe 1 normal C:\\Program Files\\x\r\n";
  sections.push_back({"modules", modules});
  sections.push_back({"processes", processes});
  sections.push_back({"cpu registers", "eax = 0012ff40\r\nebx = 00000000\r\necx = 7c80ac61"});
  sections.push_back({"disassembling", "00401000   push    ebp\r\n00401001 > mov     ebp, esp  ; x\r\n00401003   ret"});
  return sections;
}

void DetailsOfAOneMegabyteReport(benchmark::State& state) {
  const std::vector<quor::TBoxReportPart> header{{"exception message", "Range check error"}};
  const std::vector<quor::TBoxReportPart> sections = Sections(1 << 20);
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
