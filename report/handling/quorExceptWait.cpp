// Waiting for the report-building thread with the wait window: the window
// shows only when the report is not ready within the first keep-alive
// interval, the building thread runs at the highest priority meanwhile, and
// the waiting thread's messages are dispatched at every interval so that
// the window (and a waiting window thread) stays alive.
#include <pthread.h>
#include <windows.h>

#include <chrono>

#include "report/handling/quorExceptObject.h"
#include "report/intercept/quorProcessBlocked.h"

namespace quor {

namespace {

constexpr auto kKeepAlive = std::chrono::milliseconds(50);

bool Ready(const std::shared_future<void>& end) { return end.wait_for(kKeepAlive) == std::future_status::ready; }

}  // namespace

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
  if (!end.valid() || Ready(end) || ProcessBlocked(0)) return;
  wait_->Show(nullptr, false);
  while (!Ready(end)) wait_->ProcessMessages();
  wait_->Close();
}

}  // namespace quor
