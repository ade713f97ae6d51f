// The box's close requests, auto buttons, countdown line and colours.
#include "report/box/quorBoxChoices.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "report/box/quorBoxColors.h"
#include "report/box/quorBoxCountdown.h"

namespace quor {
namespace {

TEST(BoxChoices, CloseRequestFollowsFocusedBtnThenTheWaysOut) {
  using R = TCloseRequest;
  struct Case {
    int32_t focused;
    TBoxKind kind;
    TBoxExits exits;  // continue, restart, close buttons; can continue
    R expected;
  } cases[] = {
      {4, TBoxKind::Full, {true, true, true, false}, R::Continue},  // button 4 itself closes the application then
      {5, TBoxKind::Full, {true, true, true, true}, R::Restart},
      {6, TBoxKind::Full, {true, true, true, true}, R::CloseApp},
      {0x86, TBoxKind::Full, {true, true, true, true}, R::CloseApp},  // only the low 7 bits count
      {0, TBoxKind::Full, {true, true, true, true}, R::Continue},
      {0, TBoxKind::Full, {true, true, true, false}, R::CloseApp},  // cannot continue, shows close
      {0, TBoxKind::Full, {true, true, false, false}, R::Restart},
      {0, TBoxKind::Full, {false, false, false, true}, R::Nothing},
      {0, TBoxKind::Full, {true, false, false, false}, R::Nothing},
      {0, TBoxKind::Simple, {true, false, false, true}, R::Continue},
      {0, TBoxKind::Simple, {true, false, false, false}, R::CloseApp},
      {3, TBoxKind::Detail, {true, false, false, false}, R::CloseApp},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focused);
    EXPECT_EQ(ResolveCloseRequest(c.focused, c.kind, c.exits), c.expected);
  }
}

TEST(BoxChoices, AutoButtonInTheOrderCloseRestartContinue) {
  const TBoxExits all{true, true, true, true};
  EXPECT_EQ(AutoButton({true, true, true}, all), kBoxClose);
  EXPECT_EQ(AutoButton({false, true, true}, all), kBoxRestart);
  EXPECT_EQ(AutoButton({false, false, true}, all), kBoxContinue);
  EXPECT_EQ(AutoButton({true, false, true}, {true, true, false, true}), kBoxContinue);  // no close button
  EXPECT_EQ(AutoButton({false, false, true}, {true, true, true, false}), -1);           // cannot continue
  EXPECT_EQ(AutoButton({false, false, false}, all), -1);
}

TEST(BoxCountdown, LinePositionAndEnd) {
  struct Case {
    int64_t elapsed;
    int32_t width, delay;
    bool ugly;
    std::optional<int32_t> line;
    bool done;
  } cases[] = {
      {0, 100, 1, false, 0, false},
      {500, 100, 1, false, 50, false},
      {1000, 100, 1, false, 100, false},
      {1010, 100, 1, false, 101, true},
      {500, 100, 1, true, 50, false},  // (500 x 89 + 500) / 1000 + 5
      {1000, 100, 1, true, 94, false},
      {1020, 100, 1, true, 96, true},
      {3'000'000'000, 200, 2'000'000, false, 300, true},  // needs 64 bits
      {1000, 100, INT_MAX, false, 0, false},
      {5000, 100, 0, false, std::nullopt, false},  // AutoDelay 0: no countdown
      {5000, 100, -5, false, std::nullopt, false},  // negative: none either
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.elapsed);
    const auto line = CountdownLine(c.elapsed, c.width, c.delay, c.ugly);
    EXPECT_EQ(line, c.line);
    if (line) EXPECT_EQ(CountdownDone(*line, c.width, c.ugly), c.done);
  }
}

TEST(BoxColors, StepBrightensUnlessTwoChannelsOverflow) {
  struct Case {
    uint32_t color, step;
    bool disabled;
    uint32_t expected;
  } cases[] = {
      {0xC0C0C0, 0x101010, false, 0xD0D0D0}, {0xC0C0C0, 0x101010, true, 0xC8C8C8},
      {0xF0F0F0, 0x101010, false, 0xE0E0E0}, {0x00F8F0, 0x101010, false, 0x00E8E0},  // darker, blue stays at 0
      {0x0000F8, 0x101010, false, 0x1010FF},                                         // one channel saturates
  };
  for (const Case& c : cases) EXPECT_EQ(StepColor(c.color, c.step, c.disabled), c.expected) << std::hex << c.color;
}

TEST(BoxColors, FadeFramesAndSoftLine) {
  EXPECT_EQ(MixColor(0x000000, 0xFFFFFF, 0), 0x000000u);
  EXPECT_EQ(MixColor(0x000000, 0xFFFFFF, 4), 0x7F7F7Fu);
  EXPECT_EQ(MixColor(0x102030, 0x908070, 8), 0x908070u);
  EXPECT_EQ(SoftLineColor(0x000000, 0xC8C8C8, 0), 0x000000u);
  EXPECT_EQ(SoftLineColor(0x000000, 0xC8C8C8, 2), 0x646464u);
  EXPECT_EQ(SoftLineColor(0x000000, 0xC8C8C8, 3), 0x969696u);
}

TEST(BoxColors, IconPixelsBlendByTheirOpacity) {
  EXPECT_EQ(BlendPixel(0xFFFFFF, 0xFF000000), 0x000000u);  // opaque black
  EXPECT_EQ(BlendPixel(0xFFFFFF, 0x00000000), 0xFEFEFEu);  // a = opacity + 1
  EXPECT_EQ(BlendPixel(0x000000, 0x7F204080), 0x102040u);  // half: a = 128
  EXPECT_EQ(BlendPixel(0x123456, 0xFF654321), 0x654321u);
}

TEST(BoxColors, IconIsBlendedAtItsPlaceAndClipped) {
  // A 2 x 2 icon, bottom-up: bottom row opaque red, top row half-opaque blue.
  const uint8_t icon[] = {0, 0, 255, 255, 0, 0, 255, 255, 255, 0, 0, 127, 255, 0, 0, 127};
  // A 3 x 3 white picture, bottom-up.
  std::vector<uint32_t> picture(9, 0xFFFFFF);
  BlendIcon(picture.data(), 3, 3, 1, 0, icon, 2);
  const auto at = [&](int32_t x, int32_t y) { return picture[size_t(2 - y) * 3 + size_t(x)]; };
  EXPECT_EQ(at(1, 0), BlendPixel(0xFFFFFF, 0x7F0000FF));  // top row: the icon's top row, half-opaque blue
  EXPECT_EQ(at(2, 1), 0xFF0000u);                          // opaque red (blue, green, red bytes)
  EXPECT_EQ(at(0, 0), 0xFFFFFFu);
  EXPECT_EQ(at(1, 2), 0xFFFFFFu);
  BlendIcon(picture.data(), 3, 3, 2, 2, icon, 2);  // only the icon's top left pixel is inside
  EXPECT_EQ(at(2, 2), BlendPixel(0xFFFFFF, 0x7F0000FF));
}

}  // namespace
}  // namespace quor
