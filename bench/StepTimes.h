// Timing of repeated steps for the Wine timing harnesses: the fastest step
// (least disturbed by other work on the machine) and the median.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

struct Times {
  double fastest, median;
};

// Milliseconds of one step (after `prepare`, which is not timed).
inline Times Measure(int count, const std::function<void(int)>& prepare, const std::function<void(int)>& step) {
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  std::vector<double> ms;
  for (int i = 0; i < count; ++i) {
    prepare(i);
    QueryPerformanceCounter(&a);
    step(i);
    GdiFlush();
    QueryPerformanceCounter(&b);
    ms.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart));
  }
  std::sort(ms.begin(), ms.end());
  return {ms.front(), ms[ms.size() / 2]};
}
