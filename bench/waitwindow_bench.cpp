// Timing harness under Wine: what the wait window of report building costs
// when the report is ready before the window would show. A builder thread
// works through its areas (one per traced thread) for a few milliseconds;
// the waiting thread either joins it plainly (PlWaitBox off) or prepares
// the wait window with its areas and waits through WaitShowingProgress
// (PlWaitBox on). Medians of alternating runs, and whether a window showed.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <future>
#include <thread>
#include <vector>

#include "bench/WineTiming.h"
#include "report/progress/quorNVPrgrAlert.h"
#include "report/progress/quorProgressWait.h"

namespace {

using bench::Median;
using bench::Milliseconds;

constexpr int kRuns = 41;
constexpr int kThreads = 12;  // areas of the wait window
constexpr auto kWorkPerThread = std::chrono::microseconds(400);
constexpr uint64_t kAreaWeight = 100 * 4096;

int windowsShown = 0;

void Busy(std::chrono::microseconds span) {
  const auto end = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < end) {
  }
}

// One report built by a thread of its own while this one waits.
double Build(bool waitBox) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  quor::QuorPtr<quor::IProgressAlert> wait;
  if (waitBox) {
    wait = quor::NewProgressAlert("Please wait", GetModuleHandleW(nullptr), "QUORIPLWAIT");
    for (int t = 0; t < kThreads; ++t) wait->AddArea("Building the bug report...", kAreaWeight);
  }
  std::promise<void> built;
  const std::shared_future<void> done = built.get_future().share();
  std::thread builder([&] {
    for (int t = 0; t < kThreads; ++t) {
      Busy(kWorkPerThread);
      if (wait) wait->NextArea();
    }
    if (FindWindowW(L"prgrAlertWndClass", nullptr)) ++windowsShown;
    if (wait) wait->Close();
    built.set_value();
  });
  if (wait)
    quor::WaitShowingProgress(*wait, done);
  else
    done.wait();
  builder.join();
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

}  // namespace

int main() {
  std::vector<double> off, on;
  (void)Build(true);  // the first use apart
  windowsShown = 0;
  for (int run = 0; run < kRuns; ++run) {
    off.push_back(Build(false));
    on.push_back(Build(true));
  }
  const double mOff = Median(off), mOn = Median(on);
  std::printf("report built in %d x %.1f ms: PlWaitBox off %.2f ms, on %.2f ms (medians of %d), cost %.2f ms; "
              "wait windows shown: %d\n",
              kThreads, kWorkPerThread.count() / 1000.0, mOff, mOn, kRuns, mOn - mOff,
              windowsShown);
  return 0;
}
