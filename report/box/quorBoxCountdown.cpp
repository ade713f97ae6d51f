#include "report/box/quorBoxCountdown.h"

#include <algorithm>
#include <limits>

namespace quor {
namespace {

constexpr int64_t kMsPerSecond = 1000;
// The classic frame takes room on both sides of an ugly button.
constexpr int32_t kUglyFrame = 11;
constexpr int32_t kUglyStart = 5;
constexpr int32_t kUglyEnd = 6;

}  // namespace

std::optional<int32_t> CountdownLine(int64_t elapsedMs, int32_t buttonWidth, int32_t delaySeconds, bool uglyBtns) {
  if (delaySeconds <= 0) return std::nullopt;
  const int64_t delay = delaySeconds;
  const int64_t span = uglyBtns ? int64_t(buttonWidth) - kUglyFrame : int64_t(buttonWidth);
  int64_t line = (std::max<int64_t>(elapsedMs, 0) * span + delay * (kMsPerSecond / 2)) / (delay * kMsPerSecond);
  if (uglyBtns) line += kUglyStart;
  return int32_t(std::clamp<int64_t>(line, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool CountdownDone(int32_t line, int32_t buttonWidth, bool uglyBtns) {
  return uglyBtns ? line > buttonWidth - kUglyEnd : line > buttonWidth;
}

}  // namespace quor
