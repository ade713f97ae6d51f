// Timing harness under Wine: the details view of the exception box opened on
// a 1 MB report (tab control, tabs, the call-stack list) and every tab shown
// once, as a user walking through the tabs. Medians of several runs.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/WinGdiObject.h"
#include "base/WinUser.h"
#include "bench/DetailsReport.h"
#include "bench/WineTiming.h"
#include "report/box/quorBoxDetails.h"

namespace {

using bench::Median;
using bench::Milliseconds;

constexpr int kRuns = 7;
constexpr RECT kTabRect{5, 40, 745, 480};

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

}  // namespace

int main() {
  const base::WindowHandle box(CreateWindowExW(0, L"STATIC", L"box", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 760,
                                               520, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  const base::GdiObject<HFONT> normal(
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, VARIABLE_PITCH | FF_SWISS, L"Tahoma"));
  const base::GdiObject<HFONT> fixed(
      CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, FIXED_PITCH | FF_MODERN, L"Courier New"));
  const std::vector<quor::TBoxReportPart> header{{"exception message", "Range check error"}};
  const std::vector<quor::TBoxReportPart> sections = bench::DetailsReportSections(1 << 20);

  std::vector<double> open, walk;
  for (int run = 0; run < kRuns; ++run) {
    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    quor::TBoxDetails details(box.get(), kTabRect, normal.get(), fixed.get());
    details.Update(header, sections);
    SendMessageW(details.TabControl(), TCM_SETCURSEL, 1, 0);
    NMHDR change{details.TabControl(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    details.Notify(change);
    UpdateWindow(box.get());
    Pump();
    QueryPerformanceCounter(&t1);
    const auto tabs = static_cast<int>(SendMessageW(details.TabControl(), TCM_GETITEMCOUNT, 0, 0));
    for (int tab = 0; tab < tabs; ++tab) {
      SendMessageW(details.TabControl(), TCM_SETCURSEL, tab, 0);
      details.Notify(change);
      UpdateWindow(box.get());
    }
    Pump();
    QueryPerformanceCounter(&t2);
    open.push_back(Milliseconds(t0, t1));
    walk.push_back(Milliseconds(t1, t2));
  }
  std::printf("details view of a %zu-section 1 MB report: open on the call stacks %.1f ms, all tabs %.1f ms "
              "(medians of %d)\n",
              sections.size(), Median(open), Median(walk), kRuns);
  return 0;
}
