// The Default button of a form in real windows: it shows the active look
// while no other button has the focus, hands the look to a button that
// takes the focus, and Enter outside a button presses it.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/app/MainFormFixture.h"

namespace {

using skin::TColor;

class DefaultButtonTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override {
    ShowForm();
    tk::TWinControl* panel = form_->sPanel1;
    const auto place = [&](tk::TWinControl* c, int left, int width) {
      c->SetBounds(left, 20, width, 40);  // clear of the panel's logo and Close button
      c->SetParent(panel);
    };
    default_ = new skin::TsButton(form_);
    default_->SetCaption("Default");
    default_->SetDefault(true);
    default_->OnClick = [this](tk::TComponent*) { ++defaultClicks_; };
    place(default_, 230, 90);
    other_ = new skin::TsButton(form_);
    other_->SetCaption("Other");
    other_->OnClick = [this](tk::TComponent*) { ++otherClicks_; };
    place(other_, 330, 90);
    plain_ = new tk::TButton(form_);
    plain_->SetCaption("Plain");
    place(plain_, 430, 90);
    edit_ = new tk::TEdit(form_);
    place(edit_, 530, 120);
    app_->ProcessMessages();
    ASSERT_GE(default_->SkinData.BorderMaskIndex, 0) << "the buttons have the skin's BUTTON section";
    const skin::TsMaskData& img = form_->sSkinManager1->ma()[default_->SkinData.BorderMaskIndex];
    face_ = {img.WL, img.WT};
    ASSERT_NE(Look(0), Look(1));
  }

  void TearDown() override { delete app_; }

  void Focus(tk::TWinControl* c) {
    c->SetFocus();
    app_->ProcessMessages();
  }
  // The face as the screen shows it; what the window prints must agree.
  TColor Face(const skin::TsButton* b) {
    const TColor shown = Shot(b->Handle()).Pixel(face_.x, face_.y);
    skin::TsBitmap24 printed(b->Width(), b->Height());
    {
      skin::TsDibCanvas canvas(printed);
      PrintWindow(b->Handle(), canvas.DC(), PW_CLIENTONLY);
    }
    EXPECT_EQ(printed.Pixel(face_.x, face_.y), shown);
    return shown;
  }
  TColor Look(int32_t state) const { return BorderFace("BUTTON", state, default_->Width(), default_->Height()); }

  skin::TsButton* default_ = nullptr;
  skin::TsButton* other_ = nullptr;
  tk::TButton* plain_ = nullptr;
  tk::TEdit* edit_ = nullptr;
  POINT face_{};
  int defaultClicks_ = 0, otherClicks_ = 0;
};

TEST_F(DefaultButtonTest, WithFocusOnAnEditTheDefaultButtonShowsTheActiveLook) {
  Focus(edit_);
  EXPECT_EQ(Face(default_), Look(1));
  EXPECT_EQ(Face(other_), Look(0));
  EXPECT_EQ(GetWindowLongW(default_->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongW(other_->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(DefaultButtonTest, TheLookFollowsTheFocusToAnotherButtonAndBack) {
  // A plain button taking the focus is pressed by Enter as well, so it takes the look too.
  for (tk::TButton* taker : {static_cast<tk::TButton*>(other_), plain_}) {
    SCOPED_TRACE(taker->Caption());
    Focus(edit_);
    Focus(taker);
    EXPECT_EQ(Face(default_), Look(0)) << "the default button shows its normal look";
    EXPECT_FALSE(default_->Active());
    EXPECT_TRUE(taker->Active());
    EXPECT_EQ(GetWindowLongW(taker->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(default_->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    Focus(edit_);
    EXPECT_EQ(Face(default_), Look(1));
    EXPECT_FALSE(taker->Active());
  }
  Focus(other_);
  EXPECT_EQ(Face(other_), Look(1));
}

TEST_F(DefaultButtonTest, EnterPressesTheButtonThatShowsTheActiveLook) {
  struct Case {
    const char* name;
    tk::TWinControl* focus;
    int defaultClicks, otherClicks;
  };
  for (const Case& c :
       {Case{"edit", edit_, 1, 0}, Case{"other button", other_, 0, 1}, Case{"default button", default_, 1, 0}}) {
    SCOPED_TRACE(c.name);
    defaultClicks_ = otherClicks_ = 0;
    Focus(c.focus);
    PostMessageW(c.focus->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(c.focus->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    app_->ProcessMessages();
    EXPECT_EQ(defaultClicks_, c.defaultClicks);
    EXPECT_EQ(otherClicks_, c.otherClicks);
  }
}

TEST_F(DefaultButtonTest, EnterPressesNoDisabledDefaultButton) {
  Focus(edit_);
  EnableWindow(default_->Handle(), FALSE);
  PostMessageW(edit_->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  app_->ProcessMessages();
  EXPECT_EQ(defaultClicks_, 0);
}

}  // namespace
