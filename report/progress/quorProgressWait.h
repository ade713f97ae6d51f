// Waiting for work of another thread with a progress window: the window
// shows only when the work is not done within the first keep-alive
// interval, and the waiting thread's messages are dispatched at every
// interval so that the window stays alive.
#pragma once

#include <chrono>
#include <future>

#include "report/progress/quorNVPrgrAlert.h"

namespace quor {

inline constexpr std::chrono::milliseconds kProgressKeepAlive{50};

// Returns when `done` is ready; a window shown on the way (inactive, no
// owner) is closed again.
void WaitShowingProgress(IProgressAlert& alert, const std::shared_future<void>& done);

}  // namespace quor
