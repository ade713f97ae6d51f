#include <gtest/gtest.h>

#include "report/intercept/quorFreezeInterval.h"

namespace {

// With a freeze time-out of a minute the watchdog probes every 6 s; after
// each freeze report the interval grows by half.
TEST(FreezeInterval, TenthOfTheTimeOutThenHalfAsLongAgain) {
  const struct {
    uint32_t timeoutMs;
    uint32_t intervals[4];
  } cases[] = {
      {60000, {6000, 9000, 13500, 20250}},
      {1000, {100, 150, 225, 337}},
      {10, {1, 1, 1, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.timeoutMs);
    uint32_t interval = quor::FirstFreezeInterval(c.timeoutMs);
    for (uint32_t expected : c.intervals) {
      EXPECT_EQ(interval, expected);
      interval = quor::NextFreezeInterval(interval);
    }
  }
}

}  // namespace
