// The freeze watchdog's probe interval: a tenth of the freeze time-out at
// first, half as long again after every freeze report, back to the first
// interval when the main thread answers.
#pragma once

#include <cstdint>

namespace quor {

inline constexpr int kFreezeProbes = 10;        // unanswered probes that make a freeze
inline constexpr uint32_t kFreezeAnswer = 777;  // wParam and lParam of the main thread's answer

[[nodiscard]] constexpr uint32_t FirstFreezeInterval(uint32_t timeoutMs) { return timeoutMs / kFreezeProbes; }
[[nodiscard]] constexpr uint32_t NextFreezeInterval(uint32_t intervalMs) { return intervalMs + intervalMs / 2; }

}  // namespace quor
