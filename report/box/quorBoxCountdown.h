// The countdown line of the exception box's auto button: where it stands
// after a time, and when it has run out (platform-free).
#pragma once

#include <cstdint>
#include <optional>

namespace quor {

// The line's x position in a button of client width `buttonWidth` after
// `elapsedMs`, for an AutoDelay of `delaySeconds`. No countdown (nullopt)
// when the delay is not positive. Computed in 64 bits: a long delay times
// a wide button does not fit 32.
[[nodiscard]] std::optional<int32_t> CountdownLine(int64_t elapsedMs, int32_t buttonWidth, int32_t delaySeconds,
                                                   bool uglyBtns);

// The line has crossed the button: time to click it.
[[nodiscard]] bool CountdownDone(int32_t line, int32_t buttonWidth, bool uglyBtns);

}  // namespace quor
