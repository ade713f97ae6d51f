// A skinned panel inside a skinned panel skips its paint while the outer
// panel's picture is out of date: the skipped paint leaves the screen as it
// was (no black off-screen bitmap copied over it), and the outer panel's
// word that it has painted brings the inner one up to date.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/app/MainFormFixture.h"

namespace {

class SuspendedPaintTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override {
    ShowForm();
    outer_ = form_->sPanel1;
    inner_ = Place<skin::TsPanel>(outer_, kFreeSpot);
    app_->ProcessMessages();
    ASSERT_TRUE(inner_->SkinData.IsSkinned());
    ASSERT_FALSE(inner_->SkinData.CacheDirty) << "the inner panel has painted";
  }

  void TearDown() override { delete app_; }

  // Pixels in which the window differs from the picture.
  static int32_t Differences(HWND window, const skin::TsBitmap24& picture) {
    const skin::TsBitmap24 shown = Shot(window);
    int32_t diff = 0;
    for (int32_t y = 0; y < shown.Height(); ++y)
      for (int32_t x = 0; x < shown.Width(); ++x)
        if (shown.Pixel(x, y) != picture.Pixel(x, y)) ++diff;
    return diff;
  }

  skin::TsPanel* outer_ = nullptr;
  skin::TsPanel* inner_ = nullptr;
};

TEST_F(SuspendedPaintTest, SkippedPaintLeavesTheScreenAndIsMadeUpAfterTheParentPainted) {
  const skin::TsBitmap24 before = Shot(inner_->Handle());
  ASSERT_EQ(Differences(inner_->Handle(), inner_->SkinData.CacheBitmap), 0);
  ASSERT_NE(before.Pixel(before.Width() / 2, before.Height() / 2), 0u) << "the panel's face is not black";

  // The outer panel's picture is out of date: the inner one may not paint.
  outer_->SkinData.CacheDirty = true;
  inner_->SetCaption("Changed");
  RedrawWindow(inner_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(inner_->SkinData.PaintSuspended);
  EXPECT_EQ(Differences(inner_->Handle(), before), 0) << "the skipped paint changed the screen";
  RECT update;
  EXPECT_FALSE(GetUpdateRect(inner_->Handle(), &update, FALSE)) << "the skipped paint was ended";

  // The outer panel paints and tells its children: the inner one shows its new caption.
  RedrawWindow(outer_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  app_->ProcessMessages();
  EXPECT_FALSE(inner_->SkinData.PaintSuspended);
  EXPECT_FALSE(inner_->SkinData.CacheDirty);
  EXPECT_EQ(Differences(inner_->Handle(), inner_->SkinData.CacheBitmap), 0);
  EXPECT_GT(Differences(inner_->Handle(), before), 0) << "the caption is drawn";
}

}  // namespace
