// Waiting with the progress window: nothing shows when the work is done
// within the first keep-alive interval; longer work shows the window, which
// follows the worker's progress while the waiting thread keeps it alive,
// and goes when the wait ends.
#include "report/progress/quorProgressWait.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "report/progress/quorProgressWindow.h"

namespace quor {
namespace {

QuorPtr<IProgressAlert> NewWaitAlert(const char* title) {
  auto alert = NewProgressAlert(title, GetModuleHandleW(nullptr), "QUORITESTWAIT");
  alert->AddArea("Thread one", 300);
  alert->AddArea("Thread two", 100);
  return alert;
}

TEST(ProgressWait, WorkDoneAtOnceShowsNothing) {
  auto alert = NewWaitAlert("Wait: quick");
  std::promise<void> done;
  done.set_value();
  WaitShowingProgress(*alert, done.get_future().share());
  alert->NextArea();  // updates of a window never shown go nowhere
  EXPECT_FALSE(FindWindowW(kProgressWindowClass, L"Wait: quick"));
}

TEST(ProgressWait, LongerWorkShowsTheWindowUntilItIsDone) {
  auto alert = NewWaitAlert("Wait: long");
  std::promise<void> done;
  const auto end = done.get_future().share();
  std::atomic<HWND> seen{nullptr};
  std::atomic<int> barSeen{-1};
  std::thread worker([&] {
    // Like the report-building thread: progress inside each area, then on.
    alert->SetPosition(500);
    for (int i = 0; i < 100 && !seen; ++i, Sleep(10)) seen = FindWindowW(kProgressWindowClass, L"Wait: long");
    alert->NextArea();
    alert->SetPosition(1000);
    // The waiting thread dispatches the posted update within its intervals.
    for (int i = 0; i < 100 && barSeen != 1000; ++i, Sleep(10))
      barSeen = int(SendMessageW(GetDlgItem(seen, kProgressBarId), PBM_GETPOS, 0, 0));
    alert->Close();  // the worker closes at its end, as the building thread does
    done.set_value();
  });
  WaitShowingProgress(*alert, end);
  worker.join();
  ASSERT_TRUE(seen.load());
  EXPECT_EQ(barSeen, 1000);
  EXPECT_FALSE(IsWindow(seen));
}

}  // namespace
}  // namespace quor
