#include "skin/sFrameLayout.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

const TSystemFrameSizes kClassic;  // frame 4 (3 thin), caption 19, small caption 15, menu 19

TFrameInput Sizeable(int32_t width = 400, int32_t height = 300) {
  TFrameInput in;
  in.WindowWidth = width;
  in.WindowHeight = height;
  in.ButtonWidth = in.ButtonHeight = 21;
  return in;
}

TEST(FrameLayout, SizeableFormPutsItsButtonsRightToLeftTouching) {
  const TFrameLayout f = LayoutFrame(Sizeable(400), kClassic);
  EXPECT_EQ(f.SideBorder, 4);
  EXPECT_EQ(f.CaptionHeight, 19);
  const TFrameRect close = f.Buttons[cbClose], max = f.Buttons[cbMaximize], min = f.Buttons[cbMinimize];
  EXPECT_EQ(close.Left, 400 - 4 - 21);
  EXPECT_EQ(close.Right, 400 - 4);
  EXPECT_EQ(close.Top, 1);  // (19 + 4 - 21) div 2
  EXPECT_EQ(close.Bottom, 22);
  EXPECT_EQ(max.Right, close.Left);
  EXPECT_EQ(min.Right, max.Left);
  EXPECT_EQ(min.Width(), 21);
  EXPECT_FALSE(f.Shown[cbHelp]);
  // Icon 16 x 16 for a 19-pixel caption, beside the border; text after it
  // and before the buttons.
  EXPECT_EQ(f.IconSize, 16);
  EXPECT_EQ(f.Icon.Left, 4);
  EXPECT_EQ(f.Icon.Top, (19 + 4 - 16) / 2);
  EXPECT_EQ(f.Text.Left, 16 + 4 + 4);
  EXPECT_EQ(f.Text.Right, min.Left - 6);
}

TEST(FrameLayout, BorderStylesDecideBordersCaptionIconAndBoxes) {
  struct Case {
    TFrameBorder border;
    uint8_t icons;
    int32_t side, caption, icon;
    bool max, min, help;
  };
  const uint8_t all = fiSystemMenu | fiMinimize | fiMaximize;
  const Case cases[] = {
      {TFrameBorder::Sizeable, all, 4, 19, 16, true, true, false},
      {TFrameBorder::Sizeable, fiSystemMenu, 4, 19, 16, true, true, false},  // shown, not working
      {TFrameBorder::Single, fiSystemMenu | fiMinimize, 3, 19, 16, false, true, false},
      {TFrameBorder::Dialog, all | fiHelp, 3, 19, 0, false, false, true},
      {TFrameBorder::ToolWindow, all, 3, 15, 0, false, false, false},
      {TFrameBorder::SizeToolWin, all, 4, 15, 0, false, false, false},
      {TFrameBorder::Sizeable, fiMinimize | fiMaximize, 4, 19, 16, false, false, false},  // no system menu
      {TFrameBorder::None, all, 0, 0, 0, false, false, false},
  };
  for (const Case& c : cases) {
    TFrameInput in = Sizeable();
    in.Border = c.border;
    in.Icons = c.icons;
    const TFrameLayout f = LayoutFrame(in, kClassic);
    const int row = static_cast<int>(&c - cases);
    EXPECT_EQ(f.SideBorder, c.side) << row;
    EXPECT_EQ(f.CaptionHeight, c.caption) << row;
    EXPECT_EQ(f.IconSize, c.icon) << row;
    EXPECT_EQ(f.Shown[cbMaximize], c.max) << row;
    EXPECT_EQ(f.Shown[cbMinimize], c.min) << row;
    EXPECT_EQ(f.Shown[cbHelp], c.help) << row;
  }
}

TEST(FrameLayout, IconSizeFollowsTheCaptionHeightUnlessGiven) {
  const std::pair<int32_t, int32_t> sizes[] = {{8, 0}, {9, 8}, {16, 8}, {17, 16}, {27, 16}, {28, 32}};
  for (const auto& [caption, icon] : sizes) {
    TSystemFrameSizes s = kClassic;
    s.Caption = caption;
    EXPECT_EQ(LayoutFrame(Sizeable(), s).IconSize, icon) << caption;
  }
  TFrameInput in = Sizeable();
  in.TitleIconWidth = in.TitleIconHeight = 12;
  EXPECT_EQ(LayoutFrame(in, kClassic).Icon.Width(), 12);
  in.ShowAppIcon = false;
  EXPECT_EQ(LayoutFrame(in, kClassic).IconSize, 0);
}

TEST(FrameLayout, MissingButtonImagesStillTakeTheirPlaceAndSmallOnesSitLower) {
  TFrameInput in = Sizeable();
  in.ButtonWidth = in.ButtonHeight = 0;
  EXPECT_EQ(LayoutFrame(in, kClassic).Buttons[cbClose].Width(), kDefaultCaptionButton);
  in.ButtonWidth = in.ButtonHeight = 14;
  const TFrameRect close = LayoutFrame(in, kClassic).Buttons[cbClose];
  EXPECT_EQ(close.Top, (19 + 4 - 14) / 2 + 2);
  EXPECT_EQ(close.Height(), 14);
}

TEST(FrameLayout, HitCodesAcrossTheCaption) {
  TFrameInput in = Sizeable(400);
  in.TitleButtonWidths = {30};
  const TFrameLayout f = LayoutFrame(in, kClassic);
  const int32_t y = 10;
  struct Case {
    int32_t x, y, code;
  };
  const Case cases[] = {
      {f.Icon.Left, y, fhSysMenu},
      {f.Buttons[cbClose].Left, y, fhClose},
      {f.Buttons[cbClose].Right - 1, y, fhClose},
      {f.Buttons[cbMaximize].Left + 5, y, fhMaxButton},
      {f.Buttons[cbMinimize].Left + 5, y, fhMinButton},
      {f.TitleButtons[0].Left + 1, y, fhTitleButton},
      {200, y, fhCaption},
      {200, 100, fhClient},  // below the buttons: the form's own answer
      {390, 290, fhClient},
  };
  for (const Case& c : cases) EXPECT_EQ(FrameHitTest(f, c.x, c.y), c.code) << c.x << "," << c.y;
  EXPECT_EQ(FrameHitTest(f, 390, 290, 380, 280), fhBottomRight);

  // A maximise box shown without biMaximize does nothing: it is caption.
  in.Icons = fiSystemMenu | fiMinimize;
  const TFrameLayout g = LayoutFrame(in, kClassic);
  EXPECT_EQ(FrameHitTest(g, g.Buttons[cbMaximize].Left + 5, y), fhCaption);
  // A minimised form's buttons work whatever its icons say: they restore.
  in.Icons = fiSystemMenu;
  in.State = TFrameState::Minimized;
  const TFrameLayout m = LayoutFrame(in, kClassic);
  EXPECT_EQ(FrameHitTest(m, m.Buttons[cbMinimize].Left + 5, y), fhMinButton);
  // A window that offers no Close shows the button, but a click on it is
  // a click on the caption.
  in = Sizeable(400);
  in.CloseDisabled = true;
  const TFrameLayout n = LayoutFrame(in, kClassic);
  EXPECT_TRUE(n.Shown[cbClose]);
  EXPECT_FALSE(n.Enabled[cbClose]);
  EXPECT_EQ(FrameHitTest(n, n.Buttons[cbClose].Left + 5, y), fhCaption);
}

TEST(FrameLayout, TinyAndHugeWindowsGiveSaneRectangles) {
  const TFrameLayout zero = LayoutFrame(Sizeable(0, 0), kClassic);
  EXPECT_TRUE(zero.Text.Empty());
  EXPECT_EQ(FrameHitTest(zero, 0, 0), fhClient);  // the top border: the system's answer
  EXPECT_EQ(FrameHitTest(zero, 0, 10), fhCaption);
  const TFrameLayout wide = LayoutFrame(Sizeable(1 << 20, 100), kClassic);
  EXPECT_EQ(wide.Buttons[cbClose].Right, (1 << 20) - 4);
}

TEST(ScreenSnap, FormNearAnEdgeOfItsMonitorLandsFlush) {
  const TFrameRect work{1920, 0, 3840, 1040};  // a second monitor right of the first
  struct Case {
    int32_t x, y, wantX, wantY;
  };
  const Case cases[] = {
      {3840 - 300 - 5, 500, 3840 - 300, 500},  // near the right edge
      {2000, 1040 - 200 + 9, 2000, 1040 - 200},
      {1925, 3, 1920, 0},                       // near the left and top of this monitor
      {2500, 500, 2500, 500},                   // nowhere near
      {3840 - 300 - 10, 500, 3840 - 310, 500},  // exactly the buffer away: stays
  };
  for (const Case& c : cases) {
    int32_t x = 0, y = 0;
    SnapToWorkArea({c.x, c.y, 300, 200, work, 10}, x, y);
    EXPECT_EQ(x, c.wantX) << c.x;
    EXPECT_EQ(y, c.wantY) << c.y;
  }
}

TEST(MenuColumns, NewColumnEveryTwentyItems) {
  EXPECT_EQ(MenuColumnBreaks(45, 20), (std::vector<int32_t>{20, 40}));
  EXPECT_EQ(MenuColumnBreaks(20, 20), std::vector<int32_t>{});
  EXPECT_EQ(MenuColumnBreaks(21, 20), std::vector<int32_t>{20});
  EXPECT_EQ(MenuColumnBreaks(5, 0), std::vector<int32_t>{});
}

}  // namespace
}  // namespace skin
