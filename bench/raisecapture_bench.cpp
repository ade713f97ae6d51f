// Timing harness (run under Wine): what the raise capture adds to an ordinary
// throw and catch. The same source is built twice, once linked with the
// exception handling (every throw passes the capture) and once without; the
// difference of the two is the capture's cost.
//   wine raisecapture_bench.exe [throws]        (with the capture)
//   wine raisecapture_plain_bench.exe [throws]  (without)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "toolkit/SysExceptions.h"

#ifndef RAISE_CAPTURE
#error "RAISE_CAPTURE says whether the capture is linked (1) or not (0)"
#endif

namespace {

volatile int g_depth = 8;

// A few frames between the throw and the catch, as in a real handler.
__attribute__((noinline)) void Raise(int depth) {
  if (depth > 0) return Raise(depth - 1);
  throw tk::ERangeError("Range check error");
}

double MicrosecondsPerThrow(int throws) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  for (int i = 0; i < throws; ++i) {
    try {
      Raise(g_depth);
    } catch (const tk::ERangeError&) {
    }
  }
  QueryPerformanceCounter(&t1);
  return 1e6 * double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart) / throws;
}

}  // namespace

int main(int argc, char** argv) {
  const int throws = argc > 1 ? std::atoi(argv[1]) : 20000;
  MicrosecondsPerThrow(throws / 10);  // warm-up: the capture's per-thread buffer, the unwinder's caches
  std::vector<double> runs;
  for (int r = 0; r < 5; ++r) runs.push_back(MicrosecondsPerThrow(throws));
  std::sort(runs.begin(), runs.end());
  std::printf("throw/catch %s the raise capture: median %.2f us, min %.2f us (5 runs of %d)\n",
              RAISE_CAPTURE ? "with" : "without", runs[2], runs[0], throws);
  return 0;
}
