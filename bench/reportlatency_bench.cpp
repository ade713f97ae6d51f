// Timing harness (run under Wine): the time from a raise to the complete
// bug report, in a process with ten threads (the main thread and nine that
// wait in their message loops), through the whole handling: the handler
// thread, the exception object, every thread's call stack, the report text.
//   wine reportlatency_bench.exe [reports]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "report/handling/quorExceptClass.h"
#include "report/handling/quorExceptPipeline.h"
#include "report/settings/quorSettingsObject.h"
#include "toolkit/SysExceptions.h"

namespace {

__attribute__((noinline)) void Raise() { throw tk::ERangeError("Range check error"); }

double MillisecondsToReport(std::string& report) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t0);
  try {
    Raise();
  } catch (...) {
    // As the application's handler reports it, with the report handed back.
    const std::exception_ptr error = std::current_exception();
    quor::THandleArgs a;
    a.Object = quor::ThrownObject(error);
    a.Type = quor::ThrownType(error);
    a.Source = quor::kSourceAppHandle;
    a.ReportOut = &report;
    quor::HandleException(a);
  }
  QueryPerformanceCounter(&t1);
  return 1e3 * double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  const int reports = argc > 1 ? std::atoi(argv[1]) : 20;
  if (!quor::MainSettings()) return 1;
  (void)quor::MainSettings()->SetAutoSave(false);  // the report only, no file
  std::atomic<bool> stop{false};
  std::vector<std::thread> threads;
  for (int i = 0; i < 9; ++i)
    threads.emplace_back([&stop] {
      while (!stop) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      }
    });
  std::string report;
  std::vector<double> ms;
  for (int i = 0; i < reports; ++i) ms.push_back(MillisecondsToReport(report));
  stop = true;
  for (auto& t : threads) t.join();
  const bool complete = report.find("callstack crc") != std::string::npos;
  size_t threadSections = 0;
  for (size_t at = report.find("\r\n\r\nthread $"); at != std::string::npos;
       at = report.find("\r\n\r\nthread $", at + 1))
    ++threadSections;
  std::sort(ms.begin(), ms.end());
  std::printf("raise to complete report, 10 threads: median %.1f ms, min %.1f ms, max %.1f ms (%d reports)\n",
              ms[ms.size() / 2], ms.front(), ms.back(), reports);
  std::printf("last report: %zu bytes, %s, %zu secondary thread sections\n", report.size(),
              complete ? "complete" : "INCOMPLETE", threadSections);
  return complete ? 0 : 2;
}
