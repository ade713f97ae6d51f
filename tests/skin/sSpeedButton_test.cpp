// The skinned speed button in real windows: on a skinned panel, driven
// with mouse messages and captured with PrintWindow, in each of its looks,
// skinned and plain; clicks and groups; the fade commands and animations;
// and the twice-drawn text of a disabled control.
#include "skin/sSpeedButton.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>

#include "base/WinGdiObject.h"
#include "skin/sConst.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sPanel.h"
#include "skin/sSkinManager.h"
#include "toolkit/Forms.h"

namespace {

using skin::TColor;
using skin::TsBitmap24;

constexpr TColor kPanel = 0x20A020, kFace = 0x0000C0, kHot = 0xC00000, kGlyph = 0x00FFFF;

skin::TsSkinGeneral& Section(skin::TsStoredSkin& s, const char* name, TColor color, TColor hot) {
  skin::TsSkinGeneral& g = s.GeneralData.emplace_back();
  g.SectionName = name;
  g.Color = color;
  g.HotColor = hot;
  g.FontColor = g.HotFontColor = "0 -1 -1 -1 -1";
  return g;
}

// Two skins of the same sections: one without fading, one whose buttons
// fade over `frames` frames.
skin::TsStoredSkins Skins(int frames) {
  skin::TsStoredSkins skins;
  for (const char* name : {"Still (internal)", "Fading (internal)"}) {
    skin::TsStoredSkin& s = skins.Add();
    s.Name = name;
    s.Version = 5;
    Section(s, "GLOBALINFO", kPanel, kPanel);
    Section(s, "PANEL", kPanel, kPanel);
    for (const char* button : {"SPEEDBUTTON", "BUTTON"}) {
      skin::TsSkinGeneral& g = Section(s, button, kFace, kHot);
      g.FadingEnabled = name[0] == 'F';
      g.FadingIterations = frames;
    }
  }
  return skins;
}

class ButtonsTest : public testing::Test {
protected:
  void SetUp() override {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    app_ = new tk::TApplication;
    manager_ = new skin::TsSkinManager(nullptr);
    // The bare form keeps the system's frame and background (the manager's
    // hook would give it a per-form component): the buttons are under test.
    manager_->SkinningRules = skin::srStdDialogs | skin::srThirdParty;
    manager_->SetInternalSkins(Skins(5));
    manager_->SetSkinName("Still (internal)");
    form_ = new tk::TForm(nullptr);
    form_->SetBounds(0, 0, 320, 160);
    panel_ = new skin::TsPanel(form_);
    panel_->SetParent(form_);
    panel_->SetBounds(0, 0, 300, 120);
    panel_->Loaded();
    a_ = Speed(20);
    b_ = Speed(100);
    form_->Show();
    app_->ProcessMessages();
  }

  void TearDown() override {
    delete form_;
    delete manager_;
    delete app_;
  }

  // A 60 x 30 speed button with an 8 x 8 glyph (its bottom-left pixel is the key).
  skin::TsSpeedButton* Speed(int left) {
    auto* b = new skin::TsSpeedButton(form_);
    b->SetParent(panel_);
    b->SetBounds(left, 20, 60, 30);
    b->Flat = true;
    b->Glyph.SetSize(8, 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        uint8_t* p = b->Glyph.ScanLine(y) + 3 * x;
        const TColor c = x == 0 && y == 7 ? 0x000001 : kGlyph;
        p[0] = static_cast<uint8_t>(c >> 16), p[1] = static_cast<uint8_t>(c >> 8), p[2] = static_cast<uint8_t>(c);
      }
    b->OnClick = [this](tk::TComponent* c) { clicks_ += c == a_ ? 1 : 100; };
    b->Loaded();
    return b;
  }

  // What the panel shows, printed by the window itself.
  TsBitmap24 Capture() {
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    app_->ProcessMessages();
    TsBitmap24 shot(panel_->Width(), panel_->Height());
    skin::TsDibCanvas canvas(shot);
    PrintWindow(panel_->Handle(), canvas.DC(), 0);
    return shot;
  }

  // A mouse message to the panel at a point of a button.
  void Mouse(UINT msg, skin::TsSpeedButton* b, int x, int y) {
    SendMessageW(panel_->Handle(), msg, msg == WM_LBUTTONUP || msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON,
                 MAKELPARAM(b->Left() + x, b->Top() + y));
  }
  void ClickOn(skin::TsSpeedButton* b) {
    Mouse(WM_LBUTTONDOWN, b, 5, 5);
    Mouse(WM_LBUTTONUP, b, 5, 5);
  }

  // Runs the message loop until the button's animation has ended.
  void FinishAnimation(skin::TsSpeedButton* b) {
    for (int i = 0; i < 200 && b->AnimTimer(); ++i) {
      app_->ProcessMessages();
      Sleep(5);
    }
  }

  tk::TApplication* app_ = nullptr;
  skin::TsSkinManager* manager_ = nullptr;
  tk::TForm* form_ = nullptr;
  skin::TsPanel* panel_ = nullptr;
  skin::TsSpeedButton *a_ = nullptr, *b_ = nullptr;
  int clicks_ = 0;
};

TColor Blend64(TColor behind, TColor own) {
  TColor want = 0;
  for (int s : {0, 8, 16}) want |= ((6 * ((behind >> s) & 0xFF) + 4 * ((own >> s) & 0xFF) + 5) / 10) << s;
  return want;
}

// Face at (3, 3) of the button; glyph at (26, 11) normally, one pixel
// further right and down when pressed, so (26, 11) shows the face then.
TEST_F(ButtonsTest, SpeedButtonShowsTheSkinOfEachState) {
  a_->GroupIndex = 1;
  struct Case {
    const char* name;
    std::function<void()> act;
    TColor face, at26_11, at34_19;
  } cases[] = {
      {"normal", [] {}, kFace, kGlyph, kFace},
      {"hot", [this] { Mouse(WM_MOUSEMOVE, a_, 40, 5); }, kHot, kGlyph, kHot},
      {"pressed", [this] { Mouse(WM_LBUTTONDOWN, a_, 40, 5); }, kHot, kHot, kGlyph},
      {"down, mouse away", [this] { a_->SetDown(true); }, kHot, kHot, kGlyph},
      // The disabled glyph is half blended into the face first.
      {"disabled", [this] { a_->SetEnabled(false); }, Blend64(kPanel, kFace), Blend64(kPanel, 0x0080E0),
       Blend64(kPanel, kFace)},
  };
  for (const Case& c : cases) {
    c.act();
    const TsBitmap24 shot = Capture();
    EXPECT_EQ(shot.Pixel(a_->Left() + 3, a_->Top() + 3), c.face) << c.name;
    EXPECT_EQ(shot.Pixel(a_->Left() + 26, a_->Top() + 11), c.at26_11) << c.name;
    EXPECT_EQ(shot.Pixel(a_->Left() + 34, a_->Top() + 19), c.at34_19) << c.name;
    EXPECT_EQ(shot.Pixel(a_->Left() - 2, a_->Top() + 3), kPanel) << c.name;
    Mouse(WM_LBUTTONUP, a_, 200, 5);
    Mouse(WM_MOUSEMOVE, a_, 200, 90);
    a_->SetEnabled(true);
    a_->AllowAllUp = true;
    a_->SetDown(false);
    a_->AllowAllUp = false;
  }
}

// Without a skin the button is a plain flat one over the plain panel:
// no frame at rest, raised under the mouse, sunken when down.
TEST_F(ButtonsTest, UnskinnedSpeedButtonIsFlat) {
  manager_->SetActive(false);
  for (skin::TsSpeedButton* b : {a_, b_}) b->SkinData.UpdateIndexes();
  panel_->SkinData.UpdateIndexes();
  a_->GroupIndex = 1;
  const TColor face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT),
               shadow = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(Capture().Pixel(a_->Left(), a_->Top()), face);
  Mouse(WM_MOUSEMOVE, a_, 40, 5);
  EXPECT_EQ(Capture().Pixel(a_->Left(), a_->Top()), light);
  a_->SetDown(true);
  Mouse(WM_MOUSEMOVE, a_, 200, 90);
  const TsBitmap24 down = Capture();
  EXPECT_EQ(down.Pixel(a_->Left(), a_->Top()), shadow);
  EXPECT_EQ(down.Pixel(a_->Left() + 27, a_->Top() + 12), kGlyph);
}

TEST_F(ButtonsTest, SpeedButtonClicksOnlyWhenReleasedOverIt) {
  ClickOn(a_);
  EXPECT_EQ(clicks_, 1);
  EXPECT_FALSE(a_->Down());  // no group: it comes up again
  // Pressed, dragged out and released outside: no click, and up again.
  Mouse(WM_LBUTTONDOWN, a_, 5, 5);
  Mouse(WM_MOUSEMOVE, a_, 90, 5);
  EXPECT_EQ(a_->State(), tk::TButtonState::bsUp);
  Mouse(WM_LBUTTONUP, a_, 90, 5);
  EXPECT_EQ(clicks_, 1);
  a_->SetEnabled(false);
  ClickOn(a_);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ButtonsTest, OneButtonOfAGroupStaysDown) {
  a_->GroupIndex = b_->GroupIndex = 3;
  ClickOn(a_);
  EXPECT_TRUE(a_->Down());
  ClickOn(b_);
  EXPECT_TRUE(b_->Down());
  EXPECT_FALSE(a_->Down());
  EXPECT_EQ(a_->State(), tk::TButtonState::bsUp);
  ClickOn(b_);  // a click does not let the last one up...
  EXPECT_TRUE(b_->Down());
  b_->AllowAllUp = true;
  ClickOn(b_);  // ...unless all may be up
  EXPECT_FALSE(b_->Down());
  EXPECT_EQ(clicks_, 1 + 300);
  // Down in another group, or without one, leaves the group alone.
  a_->SetDown(true);
  b_->GroupIndex = 4;
  b_->SetDown(true);
  EXPECT_TRUE(a_->Down());
  a_->GroupIndex = 0;
  a_->SetDown(true);
  EXPECT_TRUE(a_->Down());
}

// SKC_STOPFADE ends an animation and shows the new look; SKC_REBUILDCACHE
// builds the cache for the state now.
TEST_F(ButtonsTest, SpeedButtonObeysTheFadeCommands) {
  manager_->SetSkinName("Fading (internal)");
  Capture();
  Mouse(WM_MOUSEMOVE, a_, 40, 5);
  ASSERT_NE(a_->AnimTimer(), nullptr);
  EXPECT_EQ(a_->AnimTimer()->FadeIterations, 5);
  a_->Perform(skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_STOPFADE), 0);
  EXPECT_EQ(a_->AnimTimer(), nullptr);
  EXPECT_EQ(Capture().Pixel(a_->Left() + 3, a_->Top() + 3), kHot);

  a_->SkinData.MouseOver = false;
  a_->Perform(skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_REBUILDCACHE), 0);
  EXPECT_EQ(a_->SkinData.CacheBitmap.Pixel(3, 3), kFace);
  EXPECT_FALSE(a_->SkinData.CacheDirty);
  // A speed button draws no fade frame itself.
  EXPECT_EQ(a_->Perform(skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_FADEFRAME), 0), 0);
}

// Leaving at frame 3 of 5 starts the way back with the 2 frames the first
// fade had left; a press fades over half the frames.
TEST_F(ButtonsTest, SpeedButtonAnimationsContinueWhereTheyWereCut) {
  manager_->SetSkinName("Fading (internal)");
  Capture();
  Mouse(WM_MOUSEMOVE, a_, 40, 5);
  ASSERT_NE(a_->AnimTimer(), nullptr);
  a_->AnimTimer()->FrameCounter = 3;
  Mouse(WM_MOUSEMOVE, a_, 200, 90);
  ASSERT_NE(a_->AnimTimer(), nullptr);
  EXPECT_EQ(a_->AnimTimer()->FrameCounter, 2 + 1);  // the first frame is drawn at once
  FinishAnimation(a_);
  EXPECT_EQ(a_->AnimTimer(), nullptr);
  EXPECT_EQ(Capture().Pixel(a_->Left() + 3, a_->Top() + 3), kFace);
  Mouse(WM_MOUSEMOVE, a_, 40, 5);
  FinishAnimation(a_);
  Mouse(WM_LBUTTONDOWN, a_, 40, 5);
  ASSERT_NE(a_->AnimTimer(), nullptr);
  EXPECT_EQ(a_->AnimTimer()->FadeIterations, 2);
  FinishAnimation(a_);
  Mouse(WM_LBUTTONUP, a_, 40, 5);
  FinishAnimation(a_);
}

// A section of one frame fades presses over none: the change shows at once
// and no timer is left running (a timer of no frames would never end).
TEST_F(ButtonsTest, FadesOfNoFramesShowTheNewLookAtOnce) {
  manager_->SetInternalSkins(Skins(1));
  manager_->SetSkinName("Fading (internal)");
  Capture();
  Mouse(WM_LBUTTONDOWN, a_, 40, 5);
  EXPECT_EQ(a_->AnimTimer(), nullptr);
  EXPECT_EQ(Capture().Pixel(a_->Left() + 34, a_->Top() + 19), kGlyph);
  Mouse(WM_LBUTTONUP, a_, 40, 5);
}

// Disabled text: once in the highlight colour one pixel down and right,
// then in the shadow colour in place, i.e. one pixel up and left of the first.
TEST(SkinText, DisabledTextIsDrawnTwice) {
  skin::TsSkinTables t;
  t.gd.emplace_back().SectionName = "S";
  t.gd[0].FontColor = {0, -1, -1, -1, -1};
  const base::GdiObject<HFONT> font(
      CreateFontW(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Tahoma"));
  const RECT r = {0, 0, 60, 30};
  const UINT flags = DT_LEFT | DT_TOP | DT_WORDBREAK;
  TsBitmap24 shape(60, 30), disabled(60, 30);
  skin::FillRect24(shape, {0, 0, 60, 30}, 0xFFFFFF);
  skin::FillRect24(disabled, {0, 0, 60, 30}, 0x00FF00);
  skin::WriteSkinText(shape, font.get(), L"Hx", true, t, 0, false, flags, r);
  skin::WriteSkinText(disabled, font.get(), L"Hx", false, t, 0, false, flags, r);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
  auto ink = [&](int x, int y) { return x >= 0 && y >= 0 && shape.Pixel(x, y) == 0; };
  int inked = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      const TColor want = ink(x, y) ? dark : ink(x - 1, y - 1) ? light : 0x00FF00;
      inked += ink(x, y);
      ASSERT_EQ(disabled.Pixel(x, y), want) << x << "," << y;
    }
  EXPECT_GT(inked, 20);
}

}  // namespace

// ---------------------------------------------------------------- drop-down

struct DropDownWatch {
  skin::TsSpeedButton* Button = nullptr;
  bool Seen = false, ShownWhileOpen = false;
  int Ticks = 0;
};
// A menu still open after this many ticks is ended: the test fails, never hangs.
constexpr int kMaxTicks = 40;
DropDownWatch* watch = nullptr;

// Inside the menu's loop: notes what the button says, then picks the first item.
void CALLBACK PickFirstItem(HWND, UINT, UINT_PTR, DWORD) {
  if (++watch->Ticks > kMaxTicks) EndMenu();
  const HWND m = FindWindowW(L"#32768", nullptr);
  if (!m || !IsWindowVisible(m)) return;
  if (!watch->Seen) {
    watch->Seen = true;
    watch->ShownWhileOpen = watch->Button->MenuShown();
    PostMessageW(m, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(m, WM_KEYDOWN, VK_RETURN, 0);
  }
}

// A press on the arrow part opens the menu below the button; a press on the
// face clicks as before, unless the button has no click of its own.
TEST_F(ButtonsTest, DropDownButtonOpensItsMenu) {
  auto* menu = new tk::TPopupMenu(form_);
  auto* item = new tk::TMenuItem(form_);
  item->Caption = "&Pick";
  int picked = 0;
  item->OnClick = [&](tk::TComponent*) { ++picked; };
  menu->Items().Add(item);
  a_->ButtonStyle = skin::TToolButtonStyle::tbsDropDown;
  a_->DropdownMenu = menu;
  const struct {
    const char* where;
    int x;
    bool withClick;
    int picks, clicks;
  } cases[] = {
      {"arrow part", 52, true, 1, 0},
      {"face", 10, true, 0, 1},
      {"face of a button without a click", 10, false, 1, 0},
  };
  for (const auto& c : cases) {
    picked = clicks_ = 0;
    if (!c.withClick) a_->OnClick = nullptr;
    DropDownWatch w{a_};
    watch = &w;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, PickFirstItem);
    Mouse(WM_LBUTTONDOWN, a_, c.x, 5);
    Mouse(WM_LBUTTONUP, a_, c.x, 5);
    KillTimer(nullptr, timer);
    app_->ProcessMessages();
    watch = nullptr;
    EXPECT_EQ(w.Seen, c.picks > 0) << c.where;
    EXPECT_EQ(w.ShownWhileOpen, c.picks > 0) << c.where;
    EXPECT_EQ(picked, c.picks) << c.where;
    EXPECT_EQ(clicks_, c.clicks) << c.where;
    EXPECT_FALSE(a_->MenuShown()) << c.where;
    EXPECT_EQ(a_->State(), tk::TButtonState::bsUp) << c.where;
  }
}
