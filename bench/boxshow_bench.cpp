// Timing harness under Wine: the exception box from the moment the report
// is complete (the call to PresentException) until its window is visible
// and painted, with every child painted too; the same box without its beep;
// and the box that opens with the details view of a 1 MB report
// (AutoShowBugRep). A watching thread polls for the window every
// millisecond and closes it again. Medians of several runs, the first run
// (window classes, fonts, icons and the first beep made once) apart.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "base/WinUser.h"
#include "bench/DetailsReport.h"
#include "bench/WineTiming.h"
#include "report/box/quorBoxWindow.h"
#include "report/box/quorPresentException.h"
#include "tests/report/box/BoxFixture.h"

namespace {

using bench::Median;
using bench::Milliseconds;

constexpr int kRuns = 15;
constexpr size_t kReportBytes = 1 << 20;

// No part of the window or of its children waits for WM_PAINT.
bool Painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child) && !Painted(child)) return false;
  return true;
}

// Presents the exception (with `beep`, as PresentException does; without
// it, the box alone) and returns the milliseconds from the call until the
// box was visible and painted (negative when it never was).
double TimeBox(quortest::FakeBoxException& exception, bool beep) {
  LARGE_INTEGER start, shown{};
  std::atomic<bool> presented{false};
  std::thread watcher([&] {
    HWND box = nullptr;
    while (!presented) {
      box = FindWindowW(quor::kBoxWindowClass, nullptr);
      if (box && IsWindowVisible(box) && Painted(box)) {
        QueryPerformanceCounter(&shown);
        break;
      }
      Sleep(1);
    }
    while (!presented) {
      if ((box = FindWindowW(quor::kBoxWindowClass, nullptr))) quortest::CloseFromOutside(box);
      Sleep(10);
    }
  });
  QueryPerformanceCounter(&start);
  if (beep)
    quor::PresentException(exception);
  else
    quor::RunExceptionBox(exception, quor::TBoxKind::Full, false);
  presented = true;
  watcher.join();
  return shown.QuadPart ? Milliseconds(start, shown) : -1;
}

void Report(const char* what, const std::vector<double>& times) {
  std::printf("%s: first %.1f ms, then median %.1f ms, best %.1f ms (%zu runs)\n", what, times.front(),
              Median({times.begin() + 1, times.end()}), *std::min_element(times.begin() + 1, times.end()),
              times.size() - 1);
}

}  // namespace

// As in a program whose main window is up when the exception comes: a
// window with a text, shown active and painted, so that the first box does
// not pay for the process's first shown window (Wine: about 65 ms) and
// first fonts.
base::WindowHandle MainWindow() {
  base::WindowHandle window(CreateWindowExW(0, L"STATIC", L"Brisquel - File Sorvenal", WS_OVERLAPPEDWINDOW, 40, 40,
                                            400, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  ShowWindow(window.get(), SW_SHOWNORMAL);
  UpdateWindow(window.get());
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  return window;
}

int main() {
  const base::WindowHandle mainWindow = MainWindow();
  // The box with its beep (PresentException) and without (the box alone),
  // alternately, so that both meet the same load of the machine. The first
  // run with the beep is the process's first beep.
  std::vector<double> withBeep, withoutBeep;
  for (int run = 0; run < kRuns; ++run) {
    quortest::FakeBoxException plain, quiet;
    withBeep.push_back(TimeBox(plain, true));
    withoutBeep.push_back(TimeBox(quiet, false));
  }
  std::vector<double> details;
  const std::vector<quor::TBoxReportPart> sections = bench::DetailsReportSections(kReportBytes);
  for (int run = 0; run < kRuns; ++run) {
    quortest::FakeBoxException exception;
    exception.sections = sections;
    exception.Settings().SetAutoShowBugRep(true);
    details.push_back(TimeBox(exception, true));
  }
  Report("exception box visible and painted", withBeep);
  Report("the same box without its beep", withoutBeep);
  Report("box with the details view of a 1 MB report", details);
  return 0;
}
