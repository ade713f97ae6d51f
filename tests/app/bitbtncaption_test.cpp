// A skinned bitmap button's caption in a real window, found as the pixels
// in which the button differs from itself without a caption: centred when
// alone, moved by (1, 1) when pressed, Margin -1 placing an aligned caption
// as Margin 2 does, TextOffset moving it right; OnPaint draws on the
// finished picture; a section stored empty leaves the button unskinned.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/app/MainFormFixture.h"

namespace {

class BitBtnCaptionTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override {
    ShowForm();
    button_ = Place<skin::TsBitBtn>(form_->sPanel1, kFreeSpot);
    button_->SetCaption("Go on");
    app_->ProcessMessages();
    ASSERT_TRUE(button_->SkinData.IsSkinned());
  }

  void TearDown() override { delete app_; }

  skin::TsBitmap24 Shown() {
    button_->SkinData.Invalidate();
    UpdateWindow(button_->Handle());
    return Shot(button_->Handle());
  }

  // The bounding box of the caption's pixels.
  RECT Ink() {
    const skin::TsBitmap24 with = Shown();
    const std::string caption = button_->Caption();
    button_->SetCaption("");
    const skin::TsBitmap24 without = Shown();
    button_->SetCaption(caption);
    RECT box = {with.Width(), with.Height(), 0, 0};
    for (int32_t y = 0; y < with.Height(); ++y)
      for (int32_t x = 0; x < with.Width(); ++x)
        if (with.Pixel(x, y) != without.Pixel(x, y))
          box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                 std::max<LONG>(box.bottom, y + 1)};
    EXPECT_LT(box.left, box.right) << "the caption is drawn";
    return box;
  }

  static RECT Moved(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
  }

  skin::TsBitBtn* button_ = nullptr;
};

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST_F(BitBtnCaptionTest, CaptionPlacement) {
  const RECT centred = Ink();
  // The letters' side bearings leave the ink up to 2 pixels off the text box's centre.
  EXPECT_LE(std::abs(centred.left - (button_->Width() - centred.right)), 2) << "centred across";
  EXPECT_LE(std::abs(centred.top - (button_->Height() - centred.bottom)), 1) << "centred down";

  button_->Skin.Down = true;
  EXPECT_TRUE(Ink() == Moved(centred, 1, 1)) << "pressed: one pixel right and down";
  button_->Skin.Down = false;

  button_->TextOffset = 5;
  EXPECT_TRUE(Ink() == Moved(centred, 5, 0));
  button_->TextOffset = 0;

  button_->Alignment = tk::TAlignment::taLeftJustify;
  const RECT defaultMargin = Ink();
  EXPECT_LT(defaultMargin.left, centred.left);
  button_->Margin = 2;
  EXPECT_TRUE(Ink() == defaultMargin) << "Margin -1 places a left-aligned caption as Margin 2";
  button_->Margin = 12;
  EXPECT_TRUE(Ink() == Moved(defaultMargin, 10, 0));
}

TEST_F(BitBtnCaptionTest, OnPaintDrawsOnTheFinishedPicture) {
  const POINT mid = {button_->Width() / 2, 2};
  button_->Skin.OnPaint = [&](tk::TComponent* sender, skin::TsBitmap24& cache) {
    EXPECT_EQ(sender, button_);
    cache.SetPixel(mid.x, mid.y, 0x0000FF);
  };
  EXPECT_EQ(Shown().Pixel(mid.x, mid.y), 0x0000FFu);
}

TEST_F(BitBtnCaptionTest, SectionStoredEmptyLeavesTheButtonUnskinned) {
  auto* stored = new skin::TsBitBtn(form_);
  stored->SetLoading(true);
  ASSERT_TRUE(stored->SetProperty("SkinData.SkinSection", tpf0::Value::Str("")));
  stored->SetLoading(false);
  stored->Loaded();
  EXPECT_EQ(stored->SkinData.SkinSection(), "UNKNOWN");
  EXPECT_FALSE(stored->SkinData.IsSkinned());
}

}  // namespace
