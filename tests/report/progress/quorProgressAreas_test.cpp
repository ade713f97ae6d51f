#include "report/progress/quorProgressAreas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace {

using quor::TProgressAreas;

constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();

TProgressAreas Planned(const std::vector<uint64_t>& weights) {
  TProgressAreas areas;
  for (uint64_t w : weights) areas.Add("step", w);
  return areas;
}

TEST(ProgressAreas, BarValues) {
  const struct {
    std::vector<uint64_t> weights;
    int32_t area;      // set as the current area (-2: left alone)
    int32_t position;  // then set as the position (-1: left alone)
    int32_t bar;
  } cases[] = {
      {{500, 100, 100}, 1, -1, 714},   // 500 x 1000 div 700
      {{500, 100, 100}, 0, 500, 357},  // 250 x 1000 div 700
      {{500, 100, 100}, 2, 1000, 1000},
      {{500, 100, 100}, 3, -1, 1000},  // one past the last completes the bar
      {{500, 100, 100}, 4, -1, 0},     // beyond: ignored
      {{500, 100, 100}, -1, -1, 0},    // negative: ignored
      {{1000}, -2, -1, 0},             // "Please wait..." stays at 0 ...
      {{1000}, 1, -1, 1000},           // ... until it is completed
      {{}, 1, -1, 0},                  // no areas: nothing to complete
      {{}, -2, 500, 0},
      {{0, 0}, 1, 700, 0},    // total 0: no division by zero
      {{0, 0}, 2, -1, 1000},  // ... full once the last area is complete
      {{0, 100}, 1, 500, 500},
      {{kMax - 1, 10}, 1, -1, 999},  // totals near 64 bits
      {{kMax / 4 * 3, kMax / 4}, 1, -1, 750},
      {{kMax, kMax}, 1, -1, 1000},  // the second weight is cut to 0
      {{3, 3, 3}, 1, 1, 333},       // 3 x 1 div 1000 = 0 of the second area
  };
  for (const auto& c : cases) {
    TProgressAreas areas = Planned(c.weights);
    if (c.area != -2) areas.SetCurrent(c.area);
    if (c.position != -1) areas.SetPosition(c.position);
    EXPECT_EQ(areas.BarValue(), c.bar) << c.weights.size() << " areas, area " << c.area << ", position " << c.position;
  }
}

TEST(ProgressAreas, StartsAndTotal) {
  const TProgressAreas areas = Planned({500, 100, 100});
  ASSERT_EQ(areas.Areas().size(), 3u);
  EXPECT_EQ(areas.Areas()[0].Start, 0u);
  EXPECT_EQ(areas.Areas()[1].Start, 500u);
  EXPECT_EQ(areas.Areas()[2].Start, 600u);
  EXPECT_EQ(areas.Total(), 700u);
}

TEST(ProgressAreas, CurrentAreaRules) {
  TProgressAreas areas = Planned({10, 20, 30});
  areas.SetPosition(400);
  areas.SetCurrent(0);  // the current one: the position stays
  EXPECT_EQ(areas.Position(), 400);
  areas.Next();
  EXPECT_EQ(areas.Current(), 1);
  EXPECT_EQ(areas.Position(), 0);
  areas.SetCurrent(3);  // one past the last
  EXPECT_EQ(areas.Current(), 2);
  EXPECT_EQ(areas.Position(), 1000);
  areas.Next();  // again one past the last
  EXPECT_EQ(areas.Current(), 2);
  areas.SetCurrent(0);
  EXPECT_EQ(areas.Current(), 0);
  EXPECT_EQ(areas.Position(), 0);

  TProgressAreas none;
  none.SetCurrent(0);
  none.Next();
  EXPECT_EQ(none.Current(), 0);
  EXPECT_EQ(none.CurrentText(), "");
}

TEST(ProgressAreas, PositionStaysInRange) {
  TProgressAreas areas = Planned({100});
  areas.SetPosition(-5);
  EXPECT_EQ(areas.Position(), 0);
  areas.SetPosition(1001);
  EXPECT_EQ(areas.Position(), 1000);
  EXPECT_EQ(areas.BarValue(), 1000);
}

TEST(ProgressAreas, EmptyTextRepeatsThePrevious) {
  TProgressAreas areas;
  areas.Add("", 1);
  areas.Add("Tracing", 1);
  areas.Add("", 1);
  areas.Add("Sending", 1);
  EXPECT_EQ(areas.Areas()[0].Text, "");
  EXPECT_EQ(areas.Areas()[2].Text, "Tracing");
  areas.SetCurrent(2);
  EXPECT_EQ(areas.CurrentText(), "Tracing");
}

TEST(ProgressAreas, ClearStartsAgain) {
  TProgressAreas areas = Planned({5, 5});
  areas.SetCurrent(1);
  areas.SetPosition(300);
  areas.Clear();
  EXPECT_TRUE(areas.Areas().empty());
  EXPECT_EQ(areas.Total(), 0u);
  EXPECT_EQ(areas.Current(), 0);
  EXPECT_EQ(areas.Position(), 0);
  areas.Add("again", 7);
  EXPECT_EQ(areas.Areas()[0].Start, 0u);
  EXPECT_EQ(areas.CurrentText(), "again");
}

}  // namespace
