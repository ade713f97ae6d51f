// The main window's skinned frame in a real window under Wine, driven by
// messages: hit codes, caption buttons, the system menu, the picture on the
// screen against the frame painters, the window's shape, the maximised
// size, snapping, and the system's frame when the skin goes.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "skin/sFramePainter.h"
#include "skin/sFrameRegion.h"
#include "skin/sSkinChange.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "tests/app/GdiDrawCounter.h"
#include "tests/app/MainFormFixture.h"
#include "tests/app/ScreenPicture.h"
#include "toolkit/WinText.h"

namespace {

using skin::TColor;
using skin::TsBitmap24;

struct SkinCase {
  const char* name;
  const char* shot;  // file name stem of the screenshots
};
const SkinCase kSkins[] = {
    {"GrayPlastic (internal)", "frame_grayplastic"},
    {"Neutral (internal)", "frame_neutral"},
    {"Office12Style (internal)", "frame_office12style"},
};

class SkinFrameTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override {
    ShowForm();
    provider_ = form_->sSkinProvider1;
    h_ = form_->Handle();
  }
  void TearDown() override { delete app_; }

  RECT WindowRect() const {
    RECT r;
    GetWindowRect(h_, &r);
    return r;
  }
  // A point of the frame (window coordinates) on the screen.
  LPARAM ScreenPoint(int32_t x, int32_t y) const {
    const RECT r = WindowRect();
    return MAKELPARAM(r.left + x, r.top + y);
  }
  static POINT Middle(const skin::TFrameRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  LRESULT HitAt(int32_t x, int32_t y) const { return SendMessageW(h_, WM_NCHITTEST, 0, ScreenPoint(x, y)); }

  void Settle() {
    RedrawWindow(h_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    app_->ProcessMessages();
  }

  // Frame pixels on the screen that differ from the provider's picture of
  // the frame (the client area and the pixels cut out of the window left out).
  int FrameMismatches() {
    Settle();
    const TsBitmap24 shown = ScreenPicture(h_);
    TsBitmap24 expected = shown;
    provider_->PaintFrameInto(expected);
    const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
    const bool shaped = GetWindowRgn(h_, shape.get()) != ERROR;
    int wrong = 0;
    for (int32_t y = 0; y < shown.Height(); ++y)
      for (int32_t x = 0; x < shown.Width(); ++x)
        if ((!shaped || PtInRegion(shape.get(), x, y)) && shown.Pixel(x, y) != expected.Pixel(x, y)) ++wrong;
    return wrong;
  }

  skin::TsSkinProvider* provider_ = nullptr;
  HWND h_ = nullptr;
};

TEST_F(SkinFrameTest, EveryPartOfTheFrameAnswersItsHitCode) {
  const skin::TFrameLayout f = provider_->Layout();
  const RECT r = WindowRect();
  const int32_t w = r.right - r.left, h = r.bottom - r.top;
  ASSERT_TRUE(f.Shown[skin::cbClose] && f.Shown[skin::cbMaximize] && f.Shown[skin::cbMinimize]);
  ASSERT_GT(f.IconSize, 0);
  const POINT icon = Middle(f.Icon), close = Middle(f.Buttons[skin::cbClose]),
              max = Middle(f.Buttons[skin::cbMaximize]), min = Middle(f.Buttons[skin::cbMinimize]);
  const struct {
    const char* part;
    int32_t x, y;
    LRESULT hit;
  } cases[] = {
      {"icon", icon.x, icon.y, HTSYSMENU},
      {"close", close.x, close.y, HTCLOSE},
      {"maximize", max.x, max.y, HTMAXBUTTON},
      {"minimize", min.x, min.y, HTMINBUTTON},
      {"caption", w / 2, close.y, HTCAPTION},
      {"left border", 1, h / 2, HTLEFT},
      {"right border", w - 2, h / 2, HTRIGHT},
      {"bottom border", w / 2, h - 2, HTBOTTOM},
      {"bottom-right corner", w - 2, h - 2, HTBOTTOMRIGHT},
      {"client", w / 2, h / 2, HTCLIENT},
  };
  for (const auto& c : cases) EXPECT_EQ(HitAt(c.x, c.y), c.hit) << c.part;
}

// Each caption button: hover shows it hot; a press shows it pressed and
// holds the mouse; dragging off shows it normal; a release off it does
// nothing; a lost capture returns it to normal without acting; a release on
// it acts.
TEST_F(SkinFrameTest, CaptionButtonsActOnlyOnAReleaseOverThem) {
  const struct {
    skin::TCaptionButton button;
    WPARAM hit;
    const char* name;
  } buttons[] = {{skin::cbMaximize, HTMAXBUTTON, "maximize"},
                 {skin::cbMinimize, HTMINBUTTON, "minimize"},
                 {skin::cbClose, HTCLOSE, "close"}};
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.name);
    const POINT on = Middle(provider_->Layout().Buttons[b.button]);
    const RECT r = WindowRect();
    SendMessageW(h_, WM_NCMOUSEMOVE, b.hit, ScreenPoint(on.x, on.y));
    EXPECT_EQ(provider_->ButtonState(b.button), skin::bsHot);
    SendMessageW(h_, WM_NCMOUSELEAVE, 0, 0);
    EXPECT_EQ(provider_->ButtonState(b.button), skin::bsNormal);

    // Press, drag off, release off: nothing happens.
    SetCursorPos(r.left + on.x, r.top + on.y);
    SendMessageW(h_, WM_NCLBUTTONDOWN, b.hit, ScreenPoint(on.x, on.y));
    EXPECT_EQ(provider_->ButtonState(b.button), skin::bsPressed);
    EXPECT_EQ(GetCapture(), h_);
    SetCursorPos(r.left + 200, r.top + 200);
    SendMessageW(h_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 150));
    EXPECT_EQ(provider_->ButtonState(b.button), skin::bsNormal);
    SendMessageW(h_, WM_LBUTTONUP, 0, MAKELPARAM(150, 150));
    app_->ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(h_) && !IsZoomed(h_) && !IsIconic(h_));
    EXPECT_NE(GetCapture(), h_);

    // Press, lose the capture, release over the button: nothing happens.
    SetCursorPos(r.left + on.x, r.top + on.y);
    SendMessageW(h_, WM_NCLBUTTONDOWN, b.hit, ScreenPoint(on.x, on.y));
    ReleaseCapture();
    EXPECT_EQ(provider_->ButtonState(b.button), skin::bsNormal);
    SendMessageW(h_, WM_LBUTTONUP, 0, MAKELPARAM(on.x, 0));
    app_->ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(h_) && !IsZoomed(h_) && !IsIconic(h_));

    // Press and release over it: it acts.
    SendMessageW(h_, WM_NCLBUTTONDOWN, b.hit, ScreenPoint(on.x, on.y));
    SendMessageW(h_, WM_LBUTTONUP, 0, MAKELPARAM(on.x, 0));
    app_->ProcessMessages();
    switch (b.button) {
      case skin::cbMaximize:
        EXPECT_TRUE(IsZoomed(h_));
        break;
      case skin::cbMinimize:
        EXPECT_TRUE(IsIconic(h_));
        break;
      default:
        EXPECT_FALSE(IsWindowVisible(h_));
        break;
    }
    form_->SetWindowState(tk::TWindowState::wsNormal);
    app_->ProcessMessages();
  }
}

// A Close the window does not offer (its class has CS_NOCLOSE, or the
// program greyed Close in its system menu) shows the disabled look the
// painter gives, no hover or press look, does nothing when clicked, and the
// skinned system menu greys its Close too.
TEST_F(SkinFrameTest, CloseTheWindowDoesNotOfferIsDrawnDisabledAndDoesNothing) {
  const DWORD classStyle = GetClassLongW(h_, GCL_STYLE);
  const HMENU system = GetSystemMenu(h_, FALSE);
  ASSERT_NE(system, nullptr);
  const struct {
    const char* name;
    std::function<void(bool)> offer;
  } cases[] = {
      {"class without close",
       [&](bool on) { SetClassLongW(h_, GCL_STYLE, static_cast<LONG>(on ? classStyle : classStyle | CS_NOCLOSE)); }},
      {"system menu greys close",
       [&](bool on) { EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); }},
  };
  const auto closePixels = [&] {
    const skin::TFrameRect c = provider_->Layout().Buttons[skin::cbClose];
    const TsBitmap24 shot = ScreenPicture(h_);
    std::vector<TColor> pixels;
    for (int32_t y = c.Top; y < c.Bottom; ++y)
      for (int32_t x = c.Left; x < c.Right; ++x) pixels.push_back(shot.Pixel(x, y));
    return pixels;
  };
  provider_->UpdateFrame();
  Settle();
  const std::vector<TColor> enabledLook = closePixels();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.offer(false);
    provider_->UpdateFrame();
    Settle();
    const skin::TFrameLayout f = provider_->Layout();
    ASSERT_TRUE(f.Shown[skin::cbClose]);
    EXPECT_FALSE(f.Enabled[skin::cbClose]);
    EXPECT_EQ(FrameMismatches(), 0);
    const std::vector<TColor> disabledLook = closePixels();
    EXPECT_NE(disabledLook, enabledLook);

    const POINT on = Middle(f.Buttons[skin::cbClose]);
    EXPECT_EQ(HitAt(on.x, on.y), HTCAPTION);
    const RECT r = WindowRect();
    SetCursorPos(r.left + on.x, r.top + on.y);
    SendMessageW(h_, WM_NCMOUSEMOVE, HTCLOSE, ScreenPoint(on.x, on.y));
    EXPECT_EQ(provider_->ButtonState(skin::cbClose), skin::bsNormal);
    SendMessageW(h_, WM_NCLBUTTONDOWN, HTCLOSE, ScreenPoint(on.x, on.y));
    EXPECT_EQ(provider_->ButtonState(skin::cbClose), skin::bsNormal);
    EXPECT_NE(GetCapture(), h_);
    SendMessageW(h_, WM_LBUTTONUP, 0, MAKELPARAM(on.x, 0));
    SendMessageW(h_, WM_NCLBUTTONDBLCLK, HTSYSMENU, ScreenPoint(Middle(f.Icon).x, Middle(f.Icon).y));
    app_->ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(h_));
    EXPECT_EQ(closePixels(), disabledLook);
    skin::TsSystemMenu& menu = provider_->SystemMenu();
    menu.Refresh(form_->sSkinManager1);
    EXPECT_FALSE(menu.Item("ItemClose")->Enabled);

    c.offer(true);
    menu.Refresh(form_->sSkinManager1);
    EXPECT_TRUE(menu.Item("ItemClose")->Enabled);
  }
}

// An application's title button sits left of the caption buttons, shows
// its glyph, and hears the press and (only over it) the release.
TEST_F(SkinFrameTest, TitleButtonShowsItsGlyphAndHearsPressAndRelease) {
  skin::TsTitleButton& button = provider_->TitleButtons.Add();
  constexpr TColor kGlyph = 0x0000FF, kKey = 0x00FF00;
  button.Glyph.SetSize(9, 9);
  for (int32_t y = 0; y < 9; ++y)
    for (int32_t x = 0; x < 9; ++x) button.Glyph.SetPixel(x, y, y == 8 && x == 0 ? kKey : kGlyph);
  int downs = 0, ups = 0;
  button.OnMouseDown = [&](size_t, int, int) { ++downs; };
  button.OnMouseUp = [&](size_t, int, int) { ++ups; };
  provider_->UpdateFrame();
  Settle();
  const skin::TFrameLayout f = provider_->Layout();
  ASSERT_EQ(f.TitleButtons.size(), 1u);
  EXPECT_EQ(f.TitleButtons[0].Right, f.Buttons[skin::cbMinimize].Left);
  const POINT on = Middle(f.TitleButtons[0]);
  EXPECT_EQ(HitAt(on.x, on.y), skin::fhTitleButton);
  EXPECT_EQ(ScreenPicture(h_).Pixel(on.x, on.y), kGlyph);

  const RECT r = WindowRect();
  SetCursorPos(r.left + on.x, r.top + on.y);
  SendMessageW(h_, WM_NCLBUTTONDOWN, skin::fhTitleButton, ScreenPoint(on.x, on.y));
  EXPECT_EQ(button.State, skin::bsPressed);
  SendMessageW(h_, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 1);
  SendMessageW(h_, WM_NCLBUTTONDOWN, skin::fhTitleButton, ScreenPoint(on.x, on.y));
  SetCursorPos(r.left + 200, r.top + 200);
  SendMessageW(h_, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(button.State, skin::bsNormal);
  EXPECT_EQ(FrameMismatches(), 0);
}

// Without the system's menu style the keyboard still closes the window.
TEST_F(SkinFrameTest, AltF4ClosesTheSkinnedWindow) {
  constexpr LPARAM kAltDown = 1 << 29;
  SendMessageW(h_, WM_SYSKEYDOWN, VK_F4, kAltDown);
  app_->ProcessMessages();
  EXPECT_FALSE(IsWindowVisible(h_));
}

TEST_F(SkinFrameTest, DoubleClickOnTheCaptionMaximisesAndRestores) {
  const RECT r = WindowRect();
  const LPARAM caption = ScreenPoint((r.right - r.left) / 2, provider_->Layout().TopBorder + 2);
  SendMessageW(h_, WM_NCLBUTTONDBLCLK, HTCAPTION, caption);
  app_->ProcessMessages();
  EXPECT_TRUE(IsZoomed(h_));
  SendMessageW(h_, WM_NCLBUTTONDBLCLK, HTCAPTION, caption);
  app_->ProcessMessages();
  EXPECT_FALSE(IsZoomed(h_));
}

TEST_F(SkinFrameTest, SystemMenuHasTheFrameItemsAndTheSkins) {
  skin::TsSystemMenu& menu = provider_->SystemMenu();
  menu.Refresh(form_->sSkinManager1);
  const struct {
    const char* name;
    const char* caption;
    bool visible, enabled;
  } items[] = {
      {"ItemRestore", "Restore", true, false}, {"ItemMove", "Move", true, true},
      {"ItemSize", "Size", true, true},        {"ItemMinimize", "Minimize", true, true},
      {"ItemMaximize", "Maximize", true, true}, {"ItemClose", "Close", true, true},
  };
  for (const auto& i : items) {
    const tk::TMenuItem* item = menu.Item(i.name);
    ASSERT_NE(item, nullptr) << i.name;
    EXPECT_EQ(item->Caption, i.caption);
    EXPECT_EQ(item->Visible, i.visible) << i.name;
    EXPECT_EQ(item->Enabled, i.enabled) << i.name;
  }
  EXPECT_EQ(tk::ShortCutToText(menu.Item("ItemClose")->ShortCut), "Alt+F4");
  EXPECT_EQ(menu.Items().Items(0)->Caption, "Available skins");

  // One radio item per skin, the current one checked.
  tk::TMenuItem* skins = menu.SkinItems();
  ASSERT_EQ(skins->Count(), 3u);
  for (size_t i = 0; i < skins->Count(); ++i) {
    EXPECT_TRUE(skins->Items(i)->RadioItem);
    EXPECT_EQ(skins->Items(i)->Checked, skins->Items(i)->Caption == form_->sSkinManager1->SkinName());
    EXPECT_EQ(skins->Items(i)->Break, tk::TMenuBreak::mbNone);
  }

  // Maximised: Restore works, Maximize and Move do not.
  form_->SetWindowState(tk::TWindowState::wsMaximized);
  menu.Refresh(form_->sSkinManager1);
  EXPECT_TRUE(menu.Item("ItemRestore")->Enabled);
  EXPECT_FALSE(menu.Item("ItemMaximize")->Enabled);
  EXPECT_FALSE(menu.Item("ItemMove")->Enabled);
  menu.Item("ItemRestore")->Click();
  app_->ProcessMessages();
  EXPECT_FALSE(IsZoomed(h_));
}

// A skin folder beside the internal skins: 42 folders that only look like
// skins and one real skin named "R&D" (a copy of the Neutral folder).
class SkinFolders {
public:
  SkinFolders() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"frameskins" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(root_.c_str(), nullptr);
    for (int i = 1; i <= 42; ++i) {
      wchar_t name[16];
      swprintf(name, 16, L"Skin %02d", i);
      Folder(name);
      CloseHandle(CreateFileW((root_ + name + L"\\Options.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr));
    }
    Folder(L"R&D");
    std::wstring source = L"Z:" SORVENAL_SOURCE_DIR_W L"/resources/skins/Neutral/";
    std::replace(source.begin(), source.end(), L'/', L'\\');
    for (const wchar_t* file : {L"Options.dat", L"Master.bmp", L"BUTTONHUGE.BMP"})
      CopyFileW((source + file).c_str(), (root_ + L"R&D\\" + file).c_str(), FALSE);
  }
  ~SkinFolders() {
    for (const std::wstring& f : files_) {
      WIN32_FIND_DATAW d;
      const HANDLE find = FindFirstFileW((f + L"\\*").c_str(), &d);
      if (find != INVALID_HANDLE_VALUE) {
        do
          DeleteFileW((f + L"\\" + d.cFileName).c_str());
        while (FindNextFileW(find, &d));
        FindClose(find);
      }
      RemoveDirectoryW(f.c_str());
    }
    RemoveDirectoryW(root_.c_str());
  }
  std::string Root() const { return tk::Narrow(root_); }

private:
  void Folder(const std::wstring& name) {
    files_.push_back(root_ + name);
    CreateDirectoryW(files_.back().c_str(), nullptr);
  }
  std::wstring root_;
  std::vector<std::wstring> files_;
};

// 46 skins make three columns (breaks before items 20 and 40); a name with
// "&" shows as it is and chooses the skin of that name.
TEST_F(SkinFrameTest, SkinSubmenuBreaksIntoColumnsAndKeepsNamesWithAmpersands) {
  const SkinFolders folders;
  skin::TsSkinManager& sm = *form_->sSkinManager1;
  sm.SetSkinDirectory(folders.Root());
  skin::TsSystemMenu& menu = provider_->SystemMenu();
  menu.Refresh(&sm);
  tk::TMenuItem* skins = menu.SkinItems();
  ASSERT_EQ(skins->Count(), 46u);
  tk::TMenuItem* rd = nullptr;
  for (size_t i = 0; i < skins->Count(); ++i) {
    const bool breaks = i == 20 || i == 40;
    EXPECT_EQ(skins->Items(i)->Break == tk::TMenuBreak::mbBreak, breaks) << i;
    if (skins->Items(i)->Caption == "R&&D") rd = skins->Items(i);
  }
  ASSERT_NE(rd, nullptr);
  EXPECT_EQ(tk::AccessKey(rd->Caption), 0);
  rd->Click();
  app_->ProcessMessages();
  EXPECT_EQ(sm.SkinName(), "R&D");
  EXPECT_TRUE(sm.SkinData().SkinActive);
  menu.Refresh(&sm);
  for (size_t i = 0; i < menu.SkinItems()->Count(); ++i)
    EXPECT_EQ(menu.SkinItems()->Items(i)->Checked, menu.SkinItems()->Items(i)->Caption == "R&&D");
}

// Choosing a skin from the menu fades the whole window, frame included,
// into the new skin.
TEST_F(SkinFrameTest, ChoosingASkinFromTheMenuFadesIntoIt) {
  skin::TsSystemMenu& menu = provider_->SystemMenu();
  menu.Refresh(form_->sSkinManager1);
  tk::TMenuItem* neutral = nullptr;
  for (size_t i = 0; i < menu.SkinItems()->Count(); ++i)
    if (menu.SkinItems()->Items(i)->Caption == "Neutral (internal)") neutral = menu.SkinItems()->Items(i);
  ASSERT_NE(neutral, nullptr);
  std::atomic<bool> done{false}, seen{false};
  std::thread watcher([&] {
    while (!done) {
      if (HWND out = FindWindowW(nullptr, skin::kOutputWindowCaption); out && IsWindowVisible(out)) seen = true;
      Sleep(1);
    }
  });
  neutral->Click();
  app_->ProcessMessages();
  done = true;
  watcher.join();
  EXPECT_TRUE(seen);
  EXPECT_EQ(form_->sSkinManager1->SkinName(), "Neutral (internal)");
  EXPECT_EQ(FrameMismatches(), 0);
}

// The menu opens on a right click on the caption, a click on the icon and
// Alt+Space; it runs its own loop, which a timer looks into and ends.
std::atomic<bool> menuSeen;

// A timer's look into the menu's own loop: notes whether the menu shows,
// keeps a screenshot of the screen with the menu open, and ends it.
void CALLBACK CloseMenuWhenOpen(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND m = FindWindowW(L"#32768", nullptr); m && IsWindowVisible(m)) {
    if (!menuSeen) SaveBmp(ScreenPicture(GetDesktopWindow()), "frame_systemmenu.bmp");
    menuSeen = true;
  }
  EndMenu();
}

TEST_F(SkinFrameTest, SystemMenuOpensFromCaptionIconAndKeyboard) {
  const skin::TFrameLayout f = provider_->Layout();
  const RECT r = WindowRect();
  const LPARAM caption = ScreenPoint((r.right - r.left) / 2, f.TopBorder + 2);
  const LPARAM icon = ScreenPoint(Middle(f.Icon).x, Middle(f.Icon).y);
  const struct {
    const char* how;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  } ways[] = {
      {"right click on the caption", WM_NCRBUTTONUP, HTCAPTION, caption},
      {"click on the icon", WM_NCLBUTTONDOWN, HTSYSMENU, icon},
      {"Alt+Space", WM_SYSCOMMAND, SC_KEYMENU, ' '},
  };
  for (const auto& w : ways) {
    menuSeen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, CloseMenuWhenOpen);
    if (w.msg == WM_NCRBUTTONUP) EXPECT_EQ(SendMessageW(h_, WM_NCRBUTTONDOWN, HTCAPTION, caption), 0);
    SendMessageW(h_, w.msg, w.wParam, w.lParam);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(menuSeen) << w.how;
  }
}

// A window sized to nothing, and one with a caption far too long, are
// painted without harm.
TEST_F(SkinFrameTest, EmptyWindowAndHugeCaptionAreHarmless) {
  SetWindowTextW(h_, std::wstring(10000, L'W').c_str());
  SetWindowPos(h_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
  Settle();
  SetWindowPos(h_, nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(FrameMismatches(), 0);
}

// What the screen shows of the frame is the painters' picture, also right
// after the caption or the activation changed: the system never draws its
// own caption.
TEST_F(SkinFrameTest, ScreenShowsOnlyTheSkinnedFrame) {
  for (const SkinCase& s : kSkins) {
    SCOPED_TRACE(s.name);
    Switch(s.name);
    EXPECT_EQ(FrameMismatches(), 0);
    SetWindowTextW(h_, std::wstring(10000, L'W').c_str());
    EXPECT_EQ(FrameMismatches(), 0) << "long caption";
    SetWindowTextW(h_, L"Brisquel - File Sorvenal");
    SendMessageW(h_, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(FrameMismatches(), 0) << "inactive";
    SendMessageW(h_, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(FrameMismatches(), 0) << "active";
  }
}

// The frame reaches the screen in one copy per change: activation, a new
// caption, a repaint of the whole window (one copy for the frame, one for
// the client area).
TEST_F(SkinFrameTest, FrameIsCopiedOnceWhenItChanges) {
  Settle();
  GdiDrawCounter counter;
  ASSERT_GT(counter.Patched(), 0u);
  const struct {
    const char* change;
    std::function<void()> make;
    int draws;
  } changes[] = {
      {"deactivation", [&] { SendMessageW(h_, WM_NCACTIVATE, FALSE, 0); }, 1},
      {"activation", [&] { SendMessageW(h_, WM_NCACTIVATE, TRUE, 0); }, 1},
      {"caption", [&] { SetWindowTextW(h_, L"Another caption"); }, 1},
      {"whole window",
       [&] { RedrawWindow(h_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN); }, 2},
  };
  for (const auto& c : changes) {
    counter.Clear();
    c.make();
    EXPECT_EQ(counter.DrawsInto(h_), c.draws) << c.change;
  }
}

// How often each pixel of a window was drawn, from the areas the draw
// counter recorded (window coordinates).
std::vector<int> DrawnTimes(const std::vector<RECT>& areas, int width, int height) {
  std::vector<int> times(static_cast<size_t>(width) * height);
  for (const RECT& r : areas)
    for (LONG y = std::max<LONG>(0, r.top); y < std::min<LONG>(height, r.bottom); ++y)
      for (LONG x = std::max<LONG>(0, r.left); x < std::min<LONG>(width, r.right); ++x) ++times[y * width + x];
  return times;
}

// Nothing is drawn twice in one paint: after each change every pixel of the
// frame (title, borders) reaches the screen exactly once, and the client
// area at most once.
TEST_F(SkinFrameTest, EachFramePartIsDrawnOncePerPaint) {
  Settle();
  GdiDrawCounter counter;
  ASSERT_GT(counter.Patched(), 0u);
  const RECT start = WindowRect();
  const struct {
    const char* change;
    std::function<void()> make;
  } changes[] = {
      {"whole window",
       [&] { RedrawWindow(h_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }},
      {"deactivation", [&] { SendMessageW(h_, WM_NCACTIVATE, FALSE, 0); }},
      {"activation", [&] { SendMessageW(h_, WM_NCACTIVATE, TRUE, 0); }},
      {"caption", [&] { SetWindowTextW(h_, L"Another caption"); }},
      {"live-resize step, wider",
       [&] {
         SetWindowPos(h_, nullptr, 0, 0, start.right - start.left + 7, start.bottom - start.top + 5,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
         UpdateWindow(h_);
       }},
      {"live-resize step, narrower",
       [&] {
         SetWindowPos(h_, nullptr, 0, 0, start.right - start.left, start.bottom - start.top,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
         UpdateWindow(h_);
       }},
  };
  for (const auto& c : changes) {
    counter.Clear();
    c.make();
    app_->ProcessMessages();
    const RECT w = WindowRect();
    const int width = w.right - w.left, height = w.bottom - w.top;
    const std::vector<int> times = DrawnTimes(counter.AreasOf(h_), width, height);
    RECT client;
    GetClientRect(h_, &client);
    MapWindowPoints(h_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -w.left, -w.top);
    const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
    const bool shaped = GetWindowRgn(h_, shape.get()) != ERROR;
    int frameNotOnce = 0, clientTwice = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        if (shaped && !PtInRegion(shape.get(), x, y)) continue;
        const int n = times[y * width + x];
        if (PtInRect(&client, {x, y}))
          clientTwice += n > 1;
        else
          frameNotOnce += n != 1;
      }
    EXPECT_EQ(frameNotOnce, 0) << c.change << ": frame pixels drawn never or more than once";
    EXPECT_EQ(clientTwice, 0) << c.change << ": client pixels drawn twice";
  }
}

// A form whose client is larger than its window (WS_VSCROLL) gets the
// skin's scroll bar through its provider: the bar keeps its room beside the
// client and is hit as a bar; the window is kept as a screenshot.
TEST_F(SkinFrameTest, AScrollableFormGetsTheSkinsBars) {
  SetWindowLongW(h_, GWL_STYLE, GetWindowLongW(h_, GWL_STYLE) | WS_VSCROLL);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 999, 100, 300, 0};
  SetScrollInfo(h_, SB_VERT, &si, FALSE);
  for (const SkinCase& s : kSkins) {
    Switch(s.name);
    Settle();
    skin::TorvScrollWnd* bars = provider_->ScrollSkinner();
    ASSERT_NE(bars, nullptr) << s.name;
    const RECT bar = bars->BarRect(true);
    ASSERT_FALSE(IsRectEmpty(&bar)) << s.name;
    RECT w = WindowRect(), client;
    GetClientRect(h_, &client);
    MapWindowPoints(h_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(client.right - w.left, bar.left) << s.name << ": the client ends where the bar begins";
    EXPECT_EQ(HitAt((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2), HTVSCROLL) << s.name;
    const TsBitmap24 shown = ScreenPicture(h_);
    SaveBmp(shown, (std::string(s.shot) + "_scrollable.bmp").c_str());
  }
}

// The frame's borders and title strip are the form's and the title's
// sections as the platform-free painter paints them.
TEST_F(SkinFrameTest, BordersAndTitleAreTheSectionsPainted) {
  const skin::TFrameLayout f = provider_->Layout();
  const skin::TsSkinManager& sm = *form_->sSkinManager1;
  Settle();
  const TsBitmap24 shown = ScreenPicture(h_);
  TsBitmap24 painted(shown.Width(), shown.Height());
  skin::TFrameLook look;
  look.FormSection = sm.GetSkinIndex("FORM");
  look.TitleSection = sm.GetSkinIndex("FORMTITLE");
  skin::PaintFrame(painted, sm.Skin(), f, look);
  const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
  const bool shaped = GetWindowRgn(h_, shape.get()) != ERROR;
  int compared = 0, wrong = 0;
  // The icon and the caption buttons reach into the top border.
  const auto covered = [&](int32_t x, int32_t y) {
    if (f.Icon.Contains(x, y)) return true;
    for (const skin::TFrameRect& b : f.Buttons)
      if (b.Contains(x, y)) return true;
    return false;
  };
  const auto check = [&](int32_t x, int32_t y) {
    if ((shaped && !PtInRegion(shape.get(), x, y)) || covered(x, y)) return;
    ++compared;
    if (shown.Pixel(x, y) != painted.Pixel(x, y)) ++wrong;
  };
  const int32_t titleBottom = f.CaptionHeight + f.TopBorder;
  for (int32_t y = titleBottom; y < shown.Height(); ++y)
    for (int32_t x = 0; x < f.SideBorder; ++x) check(x, y), check(shown.Width() - 1 - x, y);
  for (int32_t y = shown.Height() - f.BottomBorder; y < shown.Height(); ++y)
    for (int32_t x = 0; x < shown.Width(); ++x) check(x, y);
  for (int32_t y = 0; y < f.TopBorder; ++y)
    for (int32_t x = 0; x < shown.Width(); ++x) check(x, y);
  EXPECT_GT(compared, 1000);
  EXPECT_EQ(wrong, 0);
}

TEST_F(SkinFrameTest, WindowShapeCutsTheTransparentCorners) {
  for (const SkinCase& s : kSkins) {
    SCOPED_TRACE(s.name);
    Switch(s.name);
    const RECT r = WindowRect();
    const int32_t w = r.right - r.left, h = r.bottom - r.top;
    const skin::TsSkinManager& sm = *form_->sSkinManager1;
    const std::vector<skin::TFrameRect> cuts = skin::FrameCutouts(
        sm.Skin(), sm.GetSkinIndex("FORM"), sm.GetSkinIndex("FORMTITLE"), provider_->Layout(), w, h, 0);
    const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
    // A skin without transparent corners leaves the window rectangular.
    const bool shaped = GetWindowRgn(h_, shape.get()) != ERROR;
    EXPECT_EQ(shaped, !cuts.empty()) << cuts.size() << " cut-outs";
    if (!shaped) continue;
    for (const skin::TFrameRect& c : cuts) EXPECT_FALSE(PtInRegion(shape.get(), c.Left, c.Top)) << c.Left << "," << c.Top;
    EXPECT_TRUE(PtInRegion(shape.get(), w / 2, h / 2));
    EXPECT_TRUE(PtInRegion(shape.get(), w / 2, 0));
  }
}

TEST_F(SkinFrameTest, MaximisedFormFillsTheWorkArea) {
  form_->SetWindowState(tk::TWindowState::wsMaximized);
  app_->ProcessMessages();
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int32_t side = provider_->Layout().SideBorder;
  const RECT r = WindowRect();
  EXPECT_EQ(r.left, work.left - side);
  EXPECT_EQ(r.top, work.top - side);
  EXPECT_EQ(r.right - r.left, work.right - work.left + 2 * side);
  EXPECT_EQ(r.bottom - r.top, work.bottom - work.top + 2 * side);
}

TEST_F(SkinFrameTest, MovedFormSnapsToTheWorkAreaEdgeItNears) {
  provider_->ScreenSnap = true;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT r = WindowRect();
  const int32_t w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(h_, nullptr, work.right - w + 7, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(WindowRect().left, work.right - w);
  SetWindowPos(h_, nullptr, work.left + 5, work.top + 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(WindowRect().left, work.left);
  // Sizing without moving snaps nothing.
  SetWindowPos(h_, nullptr, 0, 0, w + 3, h, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(WindowRect().left, work.left);
  EXPECT_EQ(WindowRect().right - WindowRect().left, w + 3);
}

TEST_F(SkinFrameTest, SizingKeepsAnchoredControlsFollowingAndTheFrameWhole) {
  tk::TWinControl* close = form_->sBitBtn_Close;
  const int32_t fromRight = form_->ClientWidth() - close->Left();
  const RECT r = WindowRect();
  SetWindowPos(h_, nullptr, 0, 0, r.right - r.left + 60, r.bottom - r.top + 40, SWP_NOMOVE | SWP_NOZORDER);
  app_->ProcessMessages();
  EXPECT_EQ(form_->ClientWidth() - close->Left(), fromRight);
  EXPECT_EQ(FrameMismatches(), 0);
}

TEST_F(SkinFrameTest, ClientBackgroundOffsetIsTheRealClientPosition) {
  skin::SharedBackground() = {};
  SendMessageW(h_, skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_GETBG), 0);
  const skin::TCacheInfo bg = skin::SharedBackground();
  ASSERT_TRUE(bg.Ready);
  POINT client{0, 0};
  ClientToScreen(h_, &client);
  const RECT r = WindowRect();
  EXPECT_EQ(bg.X, client.x - r.left);
  EXPECT_EQ(bg.Y, client.y - r.top);
}

TEST_F(SkinFrameTest, PlainLabelTakesTheSkinsFontColourOnItsBackground) {
  EXPECT_TRUE(form_->Label1->Transparent);
  EXPECT_EQ(tk::ColorToRGB(form_->Label1->Font().Color), form_->sSkinManager1->GetGlobalFontColor());
}

// A label freed while adapted is forgotten, so that removing the skin
// later touches nothing that is gone.
TEST_F(SkinFrameTest, FreedLabelIsForgottenByTheAdapter) {
  ASSERT_EQ(provider_->Adapter().Count(), 1u);
  delete form_->Label1;
  form_->Label1 = nullptr;
  EXPECT_EQ(provider_->Adapter().Count(), 0u);
  form_->sSkinManager1->SetActive(false);
  app_->ProcessMessages();
  EXPECT_TRUE(GetWindowLongW(h_, GWL_STYLE) & WS_SYSMENU);
}

TEST_F(SkinFrameTest, RemovingTheSkinGivesBackTheSystemFrame) {
  EXPECT_FALSE(GetWindowLongW(h_, GWL_STYLE) & WS_SYSMENU);
  form_->sSkinManager1->SetActive(false);
  app_->ProcessMessages();
  EXPECT_TRUE(GetWindowLongW(h_, GWL_STYLE) & WS_SYSMENU);
  const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(h_, shape.get()), ERROR);
  EXPECT_FALSE(form_->Label1->Transparent);
  form_->sSkinManager1->SetActive(true);
  app_->ProcessMessages();
  EXPECT_FALSE(GetWindowLongW(h_, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(FrameMismatches(), 0);
}

// A provider destroyed before its form gives the form back to the system:
// its hooks are gone, the form is no longer registered, the system's frame
// is back.
TEST_F(SkinFrameTest, DestroyedProviderLeavesTheFormToTheSystem) {
  delete provider_;
  app_->ProcessMessages();
  EXPECT_EQ(skin::ProviderOf(h_), nullptr);
  const auto& forms = skin::SkinForms();
  EXPECT_EQ(std::find(forms.begin(), forms.end(), form_), forms.end());
  EXPECT_TRUE(GetWindowLongW(h_, GWL_STYLE) & WS_SYSMENU);
  const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(h_, shape.get()), ERROR);
  EXPECT_EQ(SendMessageW(h_, skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_ISSKINNED), 0), 0);
  // The form still works and goes away cleanly with the application.
  form_->SetWindowState(tk::TWindowState::wsMaximized);
  app_->ProcessMessages();
  EXPECT_TRUE(IsZoomed(h_));
}

TEST_F(SkinFrameTest, SecondProviderOnTheFormStaysInactive) {
  auto* second = new skin::TsSkinProvider(form_);
  EXPECT_EQ(second->Form(), nullptr);
  delete second;
  EXPECT_EQ(skin::ProviderOf(h_), provider_);
  EXPECT_EQ(HitAt(Middle(provider_->Layout().Buttons[skin::cbClose]).x,
                  Middle(provider_->Layout().Buttons[skin::cbClose]).y),
            HTCLOSE);
}

// Screenshots of the window in each skin, active, inactive and maximised,
// kept beside the test for people to look at.
TEST_F(SkinFrameTest, Screenshots) {
  for (const SkinCase& s : kSkins) {
    Switch(s.name);
    Settle();
    SaveBmp(ScreenPicture(h_), (std::string(s.shot) + "_active.bmp").c_str());
    SendMessageW(h_, WM_NCACTIVATE, FALSE, 0);
    Settle();
    SaveBmp(ScreenPicture(h_), (std::string(s.shot) + "_inactive.bmp").c_str());
    SendMessageW(h_, WM_NCACTIVATE, TRUE, 0);
    form_->SetWindowState(tk::TWindowState::wsMaximized);
    Settle();
    SaveBmp(ScreenPicture(h_), (std::string(s.shot) + "_maximized.bmp").c_str());
    form_->SetWindowState(tk::TWindowState::wsNormal);
    app_->ProcessMessages();
  }
}

}  // namespace
