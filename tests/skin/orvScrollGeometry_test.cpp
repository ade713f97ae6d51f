// Scroll-bar geometry: thumb size and start, parts under a point and thumb
// drags, including ranges that do not start at 0, pages that cover the
// range, bars too short for their arrows and ranges of 2^32 positions.
#include "skin/orvScrollGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using skin::TorvScrollInfo;

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();

TEST(ScrollGeometry, ThumbAndArrows) {
  const struct {
    const char* what;
    int32_t length, arrow;
    TorvScrollInfo info;
    int32_t arrowBefore, arrowAfter, thumbLength, thumbStart, trackSplit;
  } cases[] = {
      // 66-pixel track: MulDiv(10, 66, 100) = 7 is raised to 10.
      {"100 px, range 0..99, page 10, at 0", 100, 17, {0, 99, 10, 0}, 17, 17, 10, 17, 22},
      {"at 90: 17 + MulDiv(90, 56, 90)", 100, 17, {0, 99, 10, 90}, 17, 17, 10, 73, 78},
      {"the same range moved to 1000", 100, 17, {1000, 1099, 10, 1090}, 17, 17, 10, 73, 78},
      {"the same range from -50", 100, 17, {-50, 49, 10, 40}, 17, 17, 10, 73, 78},
      {"position past the maximum", 100, 17, {0, 99, 10, 500}, 17, 17, 10, 73, 78},
      {"position below the minimum", 100, 17, {10, 109, 10, 0}, 17, 17, 10, 17, 22},
      {"half the range 0..99: 33 pixels at 25", 100, 17, {0, 99, 50, 25}, 17, 17, 33, 34, 50},
      // Page 0: the thumb is as long as an arrow; 99 steps over 49 pixels.
      {"page 0 at the end", 100, 17, {0, 99, 0, 99}, 17, 17, 17, 66, 74},
      {"page one short of the range", 100, 17, {0, 99, 99, 1}, 17, 17, 65, 18, 50},
      {"page equal to the range: no thumb", 100, 17, {0, 99, 100, 0}, 17, 17, 0, 0, 50},
      {"page above the range: no thumb", 100, 17, {0, 99, 500, 0}, 17, 17, 0, 0, 50},
      {"one position: no thumb", 100, 17, {5, 5, 0, 5}, 17, 17, 0, 0, 50},
      {"maximum below minimum: no thumb", 100, 17, {5, 4, 0, 5}, 17, 17, 0, 0, 50},
      {"track of 10: a 10-pixel thumb would fill it", 44, 17, {0, 99, 10, 0}, 17, 17, 0, 0, 22},
      {"track of 11 holds the 10-pixel thumb", 45, 17, {0, 99, 10, 99}, 17, 17, 10, 18, 23},
      {"arrows meet exactly: halves, no track", 34, 17, {0, 99, 10, 0}, 17, 17, 0, 0, 17},
      {"arrows overlap: halves, odd pixel to the second", 33, 17, {0, 99, 10, 0}, 16, 17, 0, 0, 16},
      {"one pixel", 1, 17, {0, 99, 10, 0}, 0, 1, 0, 0, 0},
      {"empty bar", 0, 17, {0, 99, 10, 0}, 0, 0, 0, 0, 0},
      {"negative length counts as empty", -20, 17, {0, 99, 10, 0}, 0, 0, 0, 0, 0},
      // 2^32 positions, page 2^30: MulDiv(2^30, 66, 2^32) = 16.5 rounds to 17.
      {"full 32-bit range at its minimum", 100, 17, {kIntMin, kIntMax, 1 << 30, kIntMin}, 17, 17, 17, 17, 25},
      {"full 32-bit range at 0: MulDiv(2^31, 49, 3 * 2^30)", 100, 17, {kIntMin, kIntMax, 1 << 30, 0}, 17, 17, 17, 50,
       58},
      {"full 32-bit range at its maximum", 100, 17, {kIntMin, kIntMax, 1 << 30, kIntMax}, 17, 17, 17, 66, 74},
      // Track 2^31 - 35: MulDiv(50, 2147483613, 100) = 1073741806.5 rounds up.
      {"the longest bar", kIntMax, 17, {0, 99, 50, 99}, 17, 17, 1073741807, 1073741823, 1610612726},
  };
  for (const auto& c : cases) {
    const skin::TorvScrollGeometry g = skin::ScrollGeometry(c.length, c.arrow, c.info);
    EXPECT_EQ(g.ArrowBefore, c.arrowBefore) << c.what;
    EXPECT_EQ(g.ArrowAfter, c.arrowAfter) << c.what;
    EXPECT_EQ(g.ThumbLength, c.thumbLength) << c.what;
    if (g.HasThumb()) {
      EXPECT_EQ(g.ThumbStart, c.thumbStart) << c.what;
    }
    EXPECT_EQ(g.TrackSplit, c.trackSplit) << c.what;
  }
}

TEST(ScrollGeometry, PartUnderAPoint) {
  using enum skin::TorvScrollPart;
  // Thumb at 17..26 (position 0) and at 73..82 (position 90).
  const skin::TorvScrollGeometry atStart = skin::ScrollGeometry(100, 17, {0, 99, 10, 0});
  const skin::TorvScrollGeometry atEnd = skin::ScrollGeometry(100, 17, {0, 99, 10, 90});
  const skin::TorvScrollGeometry noThumb = skin::ScrollGeometry(100, 17, {0, 99, 100, 0});
  const skin::TorvScrollGeometry halves = skin::ScrollGeometry(33, 17, {0, 99, 10, 0});
  const struct {
    const skin::TorvScrollGeometry& g;
    int32_t along;
    skin::TorvScrollPart part;
  } cases[] = {
      {atStart, -1, spNone},    {atStart, 0, spLineUp},     {atStart, 16, spLineUp},   {atStart, 17, spThumb},
      {atStart, 26, spThumb},   {atStart, 27, spPageDown},  {atStart, 82, spPageDown}, {atStart, 83, spLineDown},
      {atStart, 99, spLineDown}, {atStart, 100, spNone},    {atEnd, 17, spPageUp},     {atEnd, 72, spPageUp},
      {atEnd, 73, spThumb},     {atEnd, 82, spThumb},       {atEnd, 83, spLineDown},   {noThumb, 16, spLineUp},
      {noThumb, 17, spNone},    {noThumb, 82, spNone},      {noThumb, 83, spLineDown}, {halves, 15, spLineUp},
      {halves, 16, spLineDown}, {halves, 32, spLineDown},   {halves, 33, spNone},
  };
  for (const auto& c : cases)
    EXPECT_EQ(skin::ScrollPartAt(c.g, c.along), c.part) << "at " << c.along << " of a bar with thumb "
                                                        << c.g.ThumbStart << "+" << c.g.ThumbLength;
}

TEST(ScrollGeometry, DraggedThumbGivesAPositionFromTheMinimum) {
  const struct {
    const char* what;
    TorvScrollInfo info;
    int32_t along, grab;
    int32_t thumbStart, position;
  } cases[] = {
      {"not moved", {0, 99, 10, 0}, 20, 3, 17, 0},
      {"to the end: MulDiv(56, 90, 56)", {0, 99, 10, 0}, 76, 3, 73, 90},
      {"half way: MulDiv(28, 90, 56)", {0, 99, 10, 0}, 48, 3, 45, 45},
      {"past the end", {0, 99, 10, 0}, 400, 3, 73, 90},
      {"before the start", {0, 99, 10, 50}, -400, 3, 17, 0},
      {"range from 1000, half way", {1000, 1099, 10, 1000}, 48, 3, 45, 1045},
      {"range from -50, to the end", {-50, 49, 10, 0}, 76, 3, 73, 40},
      {"page 0 reaches the maximum", {0, 99, 0, 0}, 66, 0, 66, 99},
      {"full 32-bit range, to the end", {kIntMin, kIntMax, 1 << 30, 0}, 66, 0, 66, 1 << 30},
      {"full 32-bit range, to the start", {kIntMin, kIntMax, 1 << 30, 0}, 17, 0, 17, kIntMin},
      {"no thumb: nothing moves", {0, 99, 100, 7}, 60, 0, 0, 7},
  };
  for (const auto& c : cases) {
    const skin::TorvScrollGeometry g = skin::ScrollGeometry(100, 17, c.info);
    const skin::TorvThumbDrag d = skin::DragThumb(g, c.info, c.along, c.grab);
    EXPECT_EQ(d.ThumbStart, c.thumbStart) << c.what;
    EXPECT_EQ(d.Position, c.position) << c.what;
  }
}

// Dropping the thumb where a position draws it gives that position back or
// one drawn at the same place, so a drag never jumps on release.
TEST(ScrollGeometry, DragAndDrawingAgree) {
  const TorvScrollInfo ranges[] = {{0, 99, 10, 0}, {-7, 12, 3, 0}, {1000, 1009, 0, 0}, {0, 4000, 40, 0}};
  for (const TorvScrollInfo& r : ranges) {
    for (int32_t pos = r.Min; pos <= r.Max; ++pos) {
      TorvScrollInfo info = r;
      info.Pos = pos;
      const skin::TorvScrollGeometry g = skin::ScrollGeometry(150, 16, info);
      ASSERT_TRUE(g.HasThumb());
      const skin::TorvThumbDrag d = skin::DragThumb(g, info, g.ThumbStart, 0);
      EXPECT_EQ(d.ThumbStart, g.ThumbStart) << "position " << pos;
      info.Pos = d.Position;
      EXPECT_EQ(skin::ScrollGeometry(150, 16, info).ThumbStart, g.ThumbStart) << "position " << pos;
    }
  }
}

}  // namespace
