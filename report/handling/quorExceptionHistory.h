// The times of the last ten exceptions (seconds since 1601-01-01 UTC, newest
// first) and the rule of the automatic actions AutoRestart and AutoClose.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace quor {

using TExceptionHistory = std::array<uint64_t, 10>;

// Moves every entry one place back (the oldest drops out); entry 0 = now.
void RecordException(TExceptionHistory& history, uint64_t now);

// 0: no; 1: yes; N > 1: yes only when all ten entries are set and each lies
// at most N seconds before now.
[[nodiscard]] bool AutoActionDue(int32_t setting, const TExceptionHistory& history, uint64_t now);

}  // namespace quor
