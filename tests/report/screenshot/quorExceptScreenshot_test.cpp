// An exception's screenshot: taken once on the first request, a failed
// capture switching screenshots off, an edited picture replacing it.
#include "report/screenshot/quorExceptScreenshot.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

std::unique_ptr<INVBitmap> Picture(uint32_t width) { return NVBitmapFromPixels(NVPixels(width, 1).View()); }

TEST(ExceptScreenshot, TakenOnceOnTheFirstRequest) {
  int captures = 0;
  bool askedAppOnly = false;
  TExceptScreenshot shot(true, [&](bool appOnly) {
    ++captures;
    askedAppOnly = appOnly;
    return Picture(3);
  });
  EXPECT_TRUE(shot.Attaches());
  EXPECT_FALSE(shot.Taken());
  const std::shared_ptr<const INVBitmap> first = shot.Get(true);
  ASSERT_TRUE(first);
  EXPECT_TRUE(askedAppOnly);
  EXPECT_EQ(shot.Get(false), first);
  EXPECT_EQ(captures, 1);
}

TEST(ExceptScreenshot, AFailedCaptureSwitchesScreenshotsOff) {
  int captures = 0;
  TExceptScreenshot shot(true, [&](bool) {
    ++captures;
    return std::unique_ptr<INVBitmap>();
  });
  EXPECT_FALSE(shot.Get(false));
  EXPECT_FALSE(shot.Creates());
  EXPECT_FALSE(shot.Get(false));
  EXPECT_EQ(captures, 1);
}

TEST(ExceptScreenshot, NoCaptureWhenTheGroupWantsNone) {
  TExceptScreenshot shot(false, [](bool) -> std::unique_ptr<INVBitmap> {
    ADD_FAILURE() << "captured";
    return nullptr;
  });
  EXPECT_FALSE(shot.Attaches());
  EXPECT_FALSE(shot.Get(false));
}

TEST(ExceptScreenshot, AnEditedPictureReplacesTheScreenshot) {
  TExceptScreenshot shot(true, [](bool) { return Picture(3); });
  (void)shot.Get(false);
  std::shared_ptr<const INVBitmap> edited = Picture(5);
  shot.Set(edited);
  EXPECT_EQ(shot.Get(false), edited);
  shot.SetAttaches(false);
  EXPECT_FALSE(shot.Attaches());
}

}  // namespace
}  // namespace quor
