// A skinned button's window has the shape of its skin: the transparent
// corner pixels of its border image are cut out, so that whatever lies
// behind the button shows there on any parent.
#include <windows.h>
#include <gtest/gtest.h>

#include "base/WinGdiObject.h"
#include "skin/sFrameRegion.h"
#include "tests/app/MainFormFixture.h"

namespace {

using ButtonRegionTest = PerSkinTest;

TEST_P(ButtonRegionTest, CornersOfTheBorderImageAreCutOutOfTheWindow) {
  skin::TsButton* button = form_->Button_CalculateCheckSum;
  RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const int32_t w = button->Width(), h = button->Height();
  const std::vector<skin::TFrameRect> cuts =
      skin::CornerCutouts(button->SkinData.Skin(), button->SkinData.SectionIndex, {0, 0, w, h}, 0);
  ASSERT_FALSE(cuts.empty());
  const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(button->Handle(), shape.get()), ERROR);
  for (const skin::TFrameRect& c : cuts)
    for (int32_t x = c.Left; x < c.Right; ++x) EXPECT_FALSE(PtInRegion(shape.get(), x, c.Top)) << x << "," << c.Top;
  EXPECT_TRUE(PtInRegion(shape.get(), w / 2, h / 2));
  EXPECT_TRUE(PtInRegion(shape.get(), w / 2, 0));
}

TEST_P(ButtonRegionTest, RemovingTheSkinMakesTheButtonRectangularAgain) {
  skin::TsButton* button = form_->Button_CalculateCheckSum;
  form_->sSkinManager1->SetActive(false);
  app_->ProcessMessages();
  const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(button->Handle(), shape.get()), ERROR);
}

INSTANTIATE_TEST_SUITE_P(Skins, ButtonRegionTest, kInternalSkins, SkinTestName);

}  // namespace
