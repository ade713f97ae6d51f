// A skinned push button made at run time on a skinned panel that has already
// painted: it comes up with the skin's button look, a paint it had to skip
// while the panel was updating is made up once the panel has painted, and it
// obeys the commands its fades are driven by.
#include <windows.h>
#include <gtest/gtest.h>

#include "base/WinGdiObject.h"
#include "skin/sFade.h"
#include "tests/app/MainFormFixture.h"

namespace {

using skin::TColor;

class RuntimeButtonTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override {
    ShowForm();
    panel_ = form_->sPanel1;
    button_ = new skin::TsButton(form_);
    button_->SetCaption("Run time");
    button_->SetBounds(300, 20, 120, 40);  // clear of the panel's other controls
    button_->SetParent(panel_);
    app_->ProcessMessages();
    ASSERT_GE(button_->SkinData.BorderMaskIndex, 0) << "the button has the skin's BUTTON section";
    const skin::TsMaskData& img = form_->sSkinManager1->ma()[button_->SkinData.BorderMaskIndex];
    face_ = {img.WL, img.WT};
  }

  void TearDown() override { delete app_; }

  TColor Face() { return Shot(button_->Handle()).Pixel(face_.x, face_.y); }
  TColor Look(int32_t state) const { return BorderFace("BUTTON", state, button_->Width(), button_->Height()); }
  LRESULT Command(uint16_t code) {
    return SendMessageW(button_->Handle(), skin::SM_SKINCMD, skin::MakeSkinCmd(code), 0);
  }

  skin::TsPanel* panel_ = nullptr;
  skin::TsButton* button_ = nullptr;
  POINT face_{};
};

TEST_F(RuntimeButtonTest, ShowsTheSkinsButtonLook) {
  ASSERT_EQ(button_->SkinData.SkinSection(), "BUTTON");
  ASSERT_TRUE(button_->SkinData.IsSkinned());
  ASSERT_NE(Look(0), panel_->SkinData.CacheBitmap.Pixel(button_->Left() + face_.x, button_->Top() + face_.y));
  EXPECT_EQ(Face(), Look(0));
}

TEST_F(RuntimeButtonTest, PaintSkippedWhileThePanelUpdatesIsMadeUpAfterThePanelPainted) {
  // The panel's picture is out of date, so the button may not paint on it yet.
  panel_->SkinData.CacheDirty = true;
  button_->SetCaption("Changed");
  UpdateWindow(button_->Handle());
  EXPECT_TRUE(button_->SkinData.PaintSuspended);
  EXPECT_TRUE(button_->SkinData.CacheDirty);

  // The panel paints and tells its children: the button paints its new caption.
  RedrawWindow(panel_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  app_->ProcessMessages();
  EXPECT_FALSE(button_->SkinData.PaintSuspended);
  EXPECT_FALSE(button_->SkinData.CacheDirty);
  const skin::TsBitmap24 shown = Shot(button_->Handle());
  // Corner pixels cut out of the button's window show the panel instead.
  const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
  const bool shaped = GetWindowRgn(button_->Handle(), shape.get()) != ERROR;
  int32_t diff = 0;
  for (int32_t y = 0; y < shown.Height(); ++y)
    for (int32_t x = 0; x < shown.Width(); ++x)
      if ((!shaped || PtInRegion(shape.get(), x, y)) && shown.Pixel(x, y) != button_->SkinData.CacheBitmap.Pixel(x, y))
        ++diff;
  EXPECT_EQ(diff, 0) << "the window shows the button's cache";
  EXPECT_EQ(Face(), Look(0));
}

TEST_F(RuntimeButtonTest, FadeCommands) {
  const skin::TsGeneralData& g = form_->sSkinManager1->gd()[button_->SkinData.SectionIndex];
  ASSERT_TRUE(g.FadingEnabled);
  ASSERT_NE(Look(0), Look(1));
  const auto hover = [this] {
    RECT r;
    GetWindowRect(button_->Handle(), &r);
    SetCursorPos(r.left + 3, r.top + 3);
    SendMessageW(button_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  };

  // Stop fade: the fade is freed at once; the window keeps the look it
  // showed, while the cache already holds the hot look the fade was heading to.
  hover();
  ASSERT_NE(button_->Skin.FadeTimer(), nullptr);
  Command(skin::SKC_STOPFADE);
  EXPECT_EQ(button_->Skin.FadeTimer(), nullptr);
  EXPECT_EQ(Face(), Look(0));
  EXPECT_EQ(button_->SkinData.CacheBitmap.Pixel(face_.x, face_.y), Look(1));

  // Rebuild cache: the cache takes the button's state now (the mouse has
  // left without a fade), and the next paint shows it.
  button_->SkinData.MouseOver = false;
  Command(skin::SKC_REBUILDCACHE);
  EXPECT_EQ(button_->SkinData.CacheBitmap.Pixel(face_.x, face_.y), Look(0));
  EXPECT_FALSE(button_->SkinData.CacheDirty);
  RedrawWindow(button_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(Face(), Look(0));

  // Fade frame: answered by the button itself (not the system button), which
  // keeps its picture and its cache.
  const skin::TsBitmap24 before = Shot(button_->Handle());
  EXPECT_EQ(Command(skin::SKC_FADEFRAME), 0);
  app_->ProcessMessages();
  EXPECT_FALSE(button_->SkinData.CacheDirty);
  EXPECT_TRUE(Shot(button_->Handle()) == before);
}

}  // namespace
