#include "skin/sSkinChangeFrames.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(SkinChangeFrames, WeightsOfTheOldPictureFallInEqualSteps) {
  // 100 ms: 13 frames from 255 down to 3 in steps of 21.
  const std::vector<uint8_t> a = SkinChangeAlphas(100);
  ASSERT_EQ(a.size(), 13u);
  for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], 255 - 21 * i);
  // 8 ms: one step of 255, the second frame is the new picture alone.
  EXPECT_EQ(SkinChangeAlphas(8), (std::vector<uint8_t>{255, 0}));
}

TEST(SkinChangeFrames, UpToSevenMillisecondsShowTheNewPictureAtOnce) {
  for (uint16_t t : {0, 1, 7}) EXPECT_TRUE(SkinChangeAlphas(t).empty()) << t;
}

TEST(SkinChangeFrames, LongAnimationsReachTheNewPictureAndStayThere) {
  // 255 frames: steps of 1 end exactly at 0.
  EXPECT_EQ(SkinChangeAlphas(255 * 8).back(), 0);
  // 8191 frames: 255 / 8191 would be a step of 0 and the old picture would
  // stand still; steps of 1 fade it out over the first 255 frames.
  const std::vector<uint8_t> a = SkinChangeAlphas(65535);
  ASSERT_EQ(a.size(), 8192u);
  EXPECT_EQ(a[1], 254);
  EXPECT_EQ(a[255], 0);
  EXPECT_EQ(a.back(), 0);
}

}  // namespace
}  // namespace skin
