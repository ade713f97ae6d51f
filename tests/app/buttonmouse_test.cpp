// A skinned push button driven by the real mouse (system input, so that the
// window system's capture and leave tracking take part): after a press that
// wanders out and back, or a press whose capture is taken away, the button
// ends in the look its state asks for, not in a hot or pressed look that
// stuck.
#include <windows.h>
#include <gtest/gtest.h>

#include "skin/sFade.h"
#include "tests/app/MainFormFixture.h"

namespace {

using skin::TColor;

class ButtonMouseTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override {
    ShowForm();
    button_ = Place<skin::TsButton>(form_->sPanel1, kFreeSpot);
    button_->SetCaption("Mouse");
    button_->OnClick = [this](tk::TComponent*) { ++clicks_; };
    app_->ProcessMessages();
    h_ = button_->Handle();
    ASSERT_GE(button_->SkinData.BorderMaskIndex, 0);
    const skin::TsMaskData& img = form_->sSkinManager1->ma()[button_->SkinData.BorderMaskIndex];
    face_ = {img.WL, img.WT};
    ASSERT_NE(Look(0), Look(1));
    ASSERT_NE(Look(1), Look(2));
  }

  void TearDown() override { delete app_; }

  TColor Look(int32_t state) const { return BorderFace("BUTTON", state, button_->Width(), button_->Height()); }

  // The look shown once every fade has run to its end.
  TColor Face() {
    for (int i = 0; i < 50 && button_->Skin.FadeTimer(); ++i) SendMessageW(h_, WM_TIMER, skin::kFadeTimerId, 0);
    app_->ProcessMessages();
    UpdateWindow(h_);
    return Shot(h_).Pixel(face_.x, face_.y);
  }

  // A point of the button (or, with dx, beside it) in screen coordinates.
  POINT At(int32_t dx = 0) const {
    RECT r;
    GetWindowRect(h_, &r);
    return {(r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2};
  }

  // One mouse event through the system's input queue, then the messages it
  // brings. Wine polls the cursor for leave tracking at the hover time, so
  // the messages are pumped a little longer than that.
  void Mouse(DWORD flags, POINT p) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x, 65536, GetSystemMetrics(SM_CXSCREEN));
    in.mi.dy = MulDiv(p.y, 65536, GetSystemMetrics(SM_CYSCREEN));
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
    UINT hover = 400;
    SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0);
    const DWORD end = GetTickCount() + hover + 300;
    while (GetTickCount() < end) {
      app_->ProcessMessages();
      Sleep(10);
    }
  }

  skin::TsButton* button_ = nullptr;
  HWND h_ = nullptr;
  POINT face_{};
  int clicks_ = 0;
};

TEST_F(ButtonMouseTest, PressDragOutAndBackThenReleaseAndLeaveEndsNormal) {
  Mouse(0, At());
  EXPECT_TRUE(button_->SkinData.MouseOver);
  Mouse(MOUSEEVENTF_LEFTDOWN, At());
  EXPECT_EQ(Face(), Look(2));
  Mouse(0, At(200));
  EXPECT_FALSE(button_->SkinData.MouseOver);
  EXPECT_EQ(Face(), Look(1)) << "held outside: not pressed, focused";
  Mouse(0, At());
  EXPECT_EQ(Face(), Look(2)) << "held inside again";
  Mouse(MOUSEEVENTF_LEFTUP, At());
  EXPECT_EQ(clicks_, 1);
  EXPECT_TRUE(button_->SkinData.MouseOver);

  Mouse(0, At(200));
  EXPECT_FALSE(button_->SkinData.MouseOver) << "the leave after the release was heard";
  SetFocus(form_->sMemo1->Handle());
  EXPECT_EQ(Face(), Look(0));
}

TEST_F(ButtonMouseTest, LosingTheCaptureWhilePressedEndsThePress) {
  struct Case {
    const char* name;
    void (*takeCapture)(HWND other);
  };
  const Case cases[] = {
      {"released", [](HWND) { ReleaseCapture(); }},
      {"taken by another window", [](HWND other) { SetCapture(other); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Mouse(0, At());
    Mouse(MOUSEEVENTF_LEFTDOWN, At());
    ASSERT_EQ(GetCapture(), h_);
    ASSERT_EQ(Face(), Look(2));

    c.takeCapture(form_->Handle());
    EXPECT_EQ(Face(), Look(1)) << "hot and focused, no longer pressed";
    Mouse(MOUSEEVENTF_LEFTUP, At());
    if (GetCapture()) ReleaseCapture();
    EXPECT_EQ(clicks_, 0) << "the lost press does not click";
    EXPECT_EQ(Face(), Look(1));
  }
}

}  // namespace
