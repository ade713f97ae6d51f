// Waiting for the report-building thread with the wait window: the building
// thread runs at the highest priority meanwhile, and the window shows only
// when the report is not ready within the first keep-alive interval.
#include <windows.h>
#include <pthread.h>

#include "report/handling/quorExceptObject.h"
#include "report/intercept/quorProcessBlocked.h"
#include "report/progress/quorProgressWait.h"

namespace quor {

void TIQuorException::WaitWithWindow() {
  std::shared_future<void> end;
  {
    std::lock_guard<std::mutex> hold(builderLock_);
    if (!wait_ || !builder_.joinable() || builder_.get_id() == std::this_thread::get_id()) return;
    end = builderEnd_;
    // The thread library keeps the thread's handle; it is only borrowed.
    SetThreadPriority(pthread_gethandle(builder_.native_handle()), THREAD_PRIORITY_HIGHEST);
  }
  // Creating a window may need a lock that another thread holds: then the
  // wait goes on without one.
  if (ProcessBlocked(0)) return;
  WaitShowingProgress(*wait_, end);
}

}  // namespace quor
