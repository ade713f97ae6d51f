#include "report/progress/quorProgressWait.h"

namespace quor {

namespace {

bool ReadyWithin(const std::shared_future<void>& done, std::chrono::milliseconds interval) {
  return done.wait_for(interval) == std::future_status::ready;
}

}  // namespace

void WaitShowingProgress(IProgressAlert& alert, const std::shared_future<void>& done) {
  if (!done.valid() || ReadyWithin(done, kProgressKeepAlive)) return;
  alert.Show(nullptr, false);
  while (!ReadyWithin(done, kProgressKeepAlive)) alert.ProcessMessages();
  // What is left, among it a close the working thread posted at its end.
  alert.ProcessMessages();
  alert.Close();
}

}  // namespace quor
