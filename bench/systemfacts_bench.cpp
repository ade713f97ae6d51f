// Timing harness (run under Wine): every system fact of the report header,
// and the "modules", "processes" and "hardware" sections, each timed as a
// whole; medians of the runs. Goal: the header's facts under 20 ms.
//   wine systemfacts_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "report/lists/quorListHardwareWin.h"
#include "report/lists/quorListsWin.h"
#include "report/lists/quorTools.h"

namespace {

double Milliseconds(const std::function<size_t()>& work, int runs, size_t& size) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    QueryPerformanceCounter(&t0);
    size = work();
    QueryPerformanceCounter(&t1);
    times.push_back(1e3 * double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The header's facts, as the report builds them.
size_t HeaderFacts() {
  const std::string values[] = {quor::ComputerNameText(),  quor::RemoteClientName(),    quor::UserNameText(),
                                quor::RegisteredOwnerText(), quor::SystemVersionText(), quor::SystemLanguageText(),
                                quor::SystemUptimeText(),  quor::ProgramUptimeText(),   quor::ProcessorNameText(),
                                std::to_string(quor::ProcessorCount()), quor::PhysicalMemoryText(),
                                quor::FreeDiskSpaceText(), quor::ScreenModeText(),      quor::CommittedMemoryText(),
                                quor::RunsAsAdministrator() ? "admin" : ""};
  size_t size = 0;
  for (const auto& v : values) size += v.size();
  return size;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  quor::RecordProgramStart();
  size_t size = 0;
  // The first call resolves the run-time functions and reads the system's
  // version once; the program does both at start-up.
  std::printf("first header facts: %.2f ms\n", Milliseconds(HeaderFacts, 1, size));
  std::printf("header facts:       %.2f ms (%zu characters)\n", Milliseconds(HeaderFacts, runs, size), size);
  std::printf("modules section:    %.2f ms", Milliseconds([] { return quor::ModulesText(quor::LoadedModules()).size(); }, runs, size));
  std::printf(" (%zu characters)\n", size);
  std::printf("processes section:  %.2f ms",
              Milliseconds([] { return quor::ProcessesText(quor::RunningProcesses()).size(); }, runs, size));
  std::printf(" (%zu characters)\n", size);
  std::printf("hardware section:   %.2f ms",
              Milliseconds([] { return quor::HardwareText(quor::InstalledHardware()).size(); }, runs, size));
  std::printf(" (%zu characters)\n", size);
  return 0;
}
