// A skinned button's changes of look in a real window: hovering, focusing,
// pressing and releasing, in each internal skin. Time is driven by handing
// the button its fade timer's ticks one by one; after each tick the picture
// the window shows is read back and compared with the two looks blended by
// the frame's weight. The looks themselves come from the skin's BUTTON
// section: the face shows its border image's state.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "skin/sFade.h"
#include "tests/app/MainFormFixture.h"

namespace {

using skin::TColor;

class ButtonFadeTest : public testing::TestWithParam<const char*>, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override {
    ShowForm();
    Switch(GetParam());
    button_ = form_->sButton1;
    h_ = button_->Handle();
    SetFocus(form_->sMemo1->Handle());
    app_->ProcessMessages();
    const skin::TsMaskData& img = form_->sSkinManager1->ma()[button_->SkinData.BorderMaskIndex];
    face_ = {img.WL, img.WT};
  }

  void TearDown() override { delete app_; }

  TColor Face() { return Shot(h_).Pixel(face_.x, face_.y); }

  // The pictures shown after each frame of the fade the action starts, up to
  // the tick that ends it.
  std::vector<TColor> FadeFrames(void (*action)(HWND)) {
    action(h_);
    std::vector<TColor> frames;
    while (const skin::TsFadeTimer* t = button_->Skin.FadeTimer()) {
      if (frames.size() > 20) break;
      const bool drawsFrame = t->FrameCounter <= t->FadeIterations;
      SendMessageW(h_, WM_TIMER, skin::kFadeTimerId, 0);
      if (drawsFrame) frames.push_back(Face());
    }
    return frames;
  }

  // Frame k of n: the old look weighted by 255 - k * 256 / n (at least 0).
  static TColor Blend(TColor from, TColor to, int32_t k, int32_t n) {
    const int32_t alpha = std::max(0, 255 - k * 256 / n);
    TColor c = 0;
    for (int shift : {0, 8, 16}) {
      const int32_t f = (from >> shift) & 0xFF, s = (to >> shift) & 0xFF;
      c |= static_cast<TColor>(s + (((f - s) * alpha) >> 8)) << shift;
    }
    return c;
  }

  void ExpectFade(const std::vector<TColor>& frames, TColor from, TColor to, int32_t n) {
    ASSERT_EQ(frames.size(), static_cast<size_t>(n));
    for (int32_t k = 1; k <= n; ++k) EXPECT_EQ(frames[k - 1], Blend(from, to, k, n)) << "frame " << k << " of " << n;
  }

  skin::TsButton* button_ = nullptr;
  HWND h_ = nullptr;
  POINT face_{};
};

TEST_P(ButtonFadeTest, HoverFocusPressAndReleaseFadeBetweenTheSectionsLooks) {
  const skin::TsGeneralData& g = form_->sSkinManager1->gd()[button_->SkinData.SectionIndex];
  ASSERT_TRUE(g.FadingEnabled);
  const int32_t n = g.FadingIterations;
  const int32_t w = button_->Width(), h = button_->Height();
  const TColor normal = BorderFace("BUTTON", 0, w, h), active = BorderFace("BUTTON", 1, w, h),
               pressed = BorderFace("BUTTON", 2, w, h);
  ASSERT_NE(normal, active);
  ASSERT_NE(active, pressed);
  EXPECT_EQ(Face(), normal);

  // The mouse enters: a fade over the section's frames into the active look.
  ExpectFade(FadeFrames([](HWND h) {
               RECT r;
               GetWindowRect(h, &r);
               SetCursorPos(r.left + 3, r.top + 3);
               SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
             }),
             normal, active, n);
  const skin::TsBitmap24 hovered = Shot(h_);

  // Focus shows at once: the same look with the dotted frame round the caption.
  SetFocus(h_);
  app_->ProcessMessages();
  const skin::TsBitmap24 focused = Shot(h_);
  EXPECT_EQ(focused.Pixel(face_.x, face_.y), active);
  int32_t dots = 0;
  for (int32_t y = 0; y < focused.Height(); ++y)
    for (int32_t x = 0; x < focused.Width(); ++x) {
      const TColor c = focused.Pixel(x, y);
      if (c == hovered.Pixel(x, y)) continue;
      EXPECT_TRUE(c == 0 || c == 0xFFFFFF) << x << "," << y;
      ++dots;
    }
  EXPECT_GT(dots, 0);

  // Press and release fade over half the frames.
  ExpectFade(FadeFrames([](HWND h) { SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); }), active, pressed,
             n / 2);
  ExpectFade(FadeFrames([](HWND h) { SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(3, 3)); }), pressed, active, n / 2);
  RedrawWindow(h_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(Shot(h_) == focused) << "after the fades the button shows its cache";
}

INSTANTIATE_TEST_SUITE_P(Skins, ButtonFadeTest,
                         testing::Values("GrayPlastic (internal)", "Neutral (internal)", "Office12Style (internal)"),
                         [](const testing::TestParamInfo<const char*>& i) {
                           return std::string(i.param).substr(0, std::string(i.param).find(' '));
                         });

}  // namespace
