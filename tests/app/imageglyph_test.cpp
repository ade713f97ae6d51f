// Glyphs taken from an image list: a skinned bitmap button and a skinned
// speed button show the list's image where their glyph goes, with and
// without a skin (then as a two-image glyph whose second image is the
// disabled look), and freeing the list leaves them without a glyph.
#include <windows.h>
#include <gtest/gtest.h>

#include "skin/sSpeedButton.h"
#include "tests/app/MainFormFixture.h"
#include "toolkit/ImgList.h"

namespace {

using skin::TColor;

constexpr TColor kBlue = 0xFF0000;  // the image's colour, as 0x00BBGGRR

class ImageGlyphTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override {
    ShowForm();
    // Two 16 x 16 images: the first red, the second a blue square on fuchsia.
    images_ = new tk::TImageList(form_);
    tk::TBitmap strip(32, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool blue = x >= 20 && x < 28 && y >= 4 && y < 12;
        const TColor c = x < 16 ? 0x0000FF : blue ? kBlue : tk::clFuchsia;
        uint8_t* p = strip.ScanLine(y) + 3 * x;
        p[0] = static_cast<uint8_t>(c >> 16), p[1] = static_cast<uint8_t>(c >> 8), p[2] = static_cast<uint8_t>(c);
      }
    ASSERT_EQ(images_->AddMasked(strip, tk::clFuchsia), 0);
    ASSERT_EQ(images_->Count(), 2);

    bitBtn_ = new skin::TsBitBtn(form_);
    bitBtn_->SetBounds(300, 20, 60, 40);
    bitBtn_->SetParent(form_->sPanel1);
    speed_ = new skin::TsSpeedButton(form_);
    speed_->SetBounds(380, 20, 40, 40);
    speed_->SetParent(form_->sPanel1);
    bitBtn_->SetImages(images_);
    bitBtn_->SetImageIndex(1);
    speed_->SetImages(images_);
    speed_->SetImageIndex(1);
    app_->ProcessMessages();
  }

  void TearDown() override { delete app_; }

  void Unskin() {
    form_->sSkinManager1->SetActive(false);
    app_->ProcessMessages();
  }
  void Redraw() {
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    app_->ProcessMessages();
  }
  // The centre pixel of each button as the screen shows it: the middle of the blue square.
  TColor BitBtnCentre() { return Shot(bitBtn_->Handle()).Pixel(30, 20); }
  TColor SpeedCentre() { return Shot(form_->sPanel1->Handle()).Pixel(speed_->Left() + 20, speed_->Top() + 20); }

  void FreeListAndCheck() {
    delete images_;
    images_ = nullptr;
    EXPECT_EQ(bitBtn_->Images(), nullptr);
    EXPECT_EQ(speed_->Images(), nullptr);
    EXPECT_TRUE(bitBtn_->Glyph.Empty());
    EXPECT_TRUE(speed_->Glyph.Empty());
    Redraw();
    EXPECT_NE(BitBtnCentre(), kBlue);
    EXPECT_NE(SpeedCentre(), kBlue);
  }

  tk::TImageList* images_ = nullptr;
  skin::TsBitBtn* bitBtn_ = nullptr;
  skin::TsSpeedButton* speed_ = nullptr;
};

TEST_F(ImageGlyphTest, SkinnedButtonsPaintTheImageAtTheGlyphPlace) {
  ASSERT_TRUE(bitBtn_->SkinData.IsSkinned());
  ASSERT_TRUE(speed_->SkinData.IsSkinned());
  EXPECT_TRUE(bitBtn_->Glyph.Empty());
  const skin::TPoint g = bitBtn_->GlyphPos(0, 0, 0);
  EXPECT_EQ(g.X, 22);  // a 16 x 16 glyph centred in 60 x 40
  EXPECT_EQ(g.Y, 12);
  const skin::TsBitmap24 shot = Shot(bitBtn_->Handle());
  EXPECT_EQ(shot.Pixel(g.X + 4, g.Y + 4), kBlue);
  EXPECT_EQ(shot.Pixel(g.X + 11, g.Y + 11), kBlue);
  EXPECT_NE(shot.Pixel(g.X + 1, g.Y + 1), tk::clFuchsia) << "the list's transparent pixels show the face";
  EXPECT_NE(shot.Pixel(g.X + 12, g.Y + 12), kBlue);
  EXPECT_EQ(SpeedCentre(), kBlue);
}

TEST_F(ImageGlyphTest, UnskinnedButtonsShowATwoImageGlyph) {
  Unskin();
  ASSERT_FALSE(bitBtn_->SkinData.IsSkinned());
  for (tk::TButtonGlyph* b : {static_cast<tk::TButtonGlyph*>(bitBtn_), static_cast<tk::TButtonGlyph*>(speed_)}) {
    EXPECT_EQ(b->Glyph.Width(), 32);
    EXPECT_EQ(b->NumGlyphs, 2);
  }
  Redraw();
  EXPECT_EQ(BitBtnCentre(), kBlue);
  EXPECT_EQ(SpeedCentre(), kBlue);

  // Disabled: the second image, the blue half blended with the button face.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const TColor half =
      ((((face >> 16) & 0xFF) + 0xFF + 1) / 2) << 16 | (((face >> 8) & 0xFF) + 1) / 2 << 8 | ((face & 0xFF) + 1) / 2;
  EnableWindow(bitBtn_->Handle(), FALSE);
  speed_->SetEnabled(false);
  Redraw();
  EXPECT_EQ(BitBtnCentre(), half);
  EXPECT_EQ(SpeedCentre(), half);

  // A skin again paints from the list: the made glyph goes.
  form_->sSkinManager1->SetActive(true);
  app_->ProcessMessages();
  EXPECT_TRUE(bitBtn_->Glyph.Empty());
  EXPECT_TRUE(speed_->Glyph.Empty());
}

TEST_F(ImageGlyphTest, FreeingTheListLeavesTheButtonsWithoutGlyph) { FreeListAndCheck(); }

TEST_F(ImageGlyphTest, FreeingTheListLeavesUnskinnedButtonsWithoutGlyph) {
  Unskin();
  ASSERT_FALSE(bitBtn_->Glyph.Empty());
  FreeListAndCheck();
}

}  // namespace
