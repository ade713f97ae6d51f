// The main window switching between its three internal skins at run time:
// every skinned control repaints in the new skin's colours, switching back
// gives the first picture again, and a registered form fades from the old
// picture into the new one. Screenshots of each skin are kept for people
// (skin_*.bmp in the build tree).
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/WinWindowDc.h"
#include "skin/sSkinChange.h"
#include "tests/app/MainFormFixture.h"
#include "tests/app/ScreenPicture.h"
#include "tests/app/SectionFace.h"
#include "toolkit/WinText.h"

namespace {

using skin::TColor;
using skin::TsBitmap24;

// The skins and the screenshots kept of them.
struct SkinCase {
  const char* name;
  const char* shot;
};
const SkinCase kSkins[] = {
    {"GrayPlastic (internal)", "skin_grayplastic.bmp"},
    {"Neutral (internal)", "skin_neutral.bmp"},
    {"Office12Style (internal)", "skin_office12style.bmp"},
};

class SkinSwitchTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override { ShowForm(); }
  void TearDown() override { delete app_; }

  // What the screen shows of the window (the window is alone on the display).
  TsBitmap24 Capture() {
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    app_->ProcessMessages();
    return ScreenPicture(form_->Handle());
  }

  // A point of a control in the window's picture.
  POINT At(tk::TWinControl* c, int32_t x, int32_t y) {
    POINT p{x, y};
    MapWindowPoints(c->Handle(), nullptr, &p, 1);
    RECT r;
    GetWindowRect(form_->Handle(), &r);
    return {p.x - r.left, p.y - r.top};
  }

  TColor Pixel(const TsBitmap24& shot, POINT p) { return shot.Pixel(p.x, p.y); }

  // The face of the panel at (x, y), from the PANEL section of the active skin.
  TColor PanelFace(int32_t x, int32_t y) {
    tk::TWinControl* p = form_->sPanel2;
    return SectionFace(*form_->sSkinManager1, "PANEL", false, p->Width(), p->Height(), x, y);
  }
};

TEST_F(SkinSwitchTest, EveryControlRepaintsInTheNewSkin) {
  const TsBitmap24 first = Capture();
  std::set<TColor> panels, buttons;
  for (const SkinCase& s : kSkins) {
    Switch(s.name);
    EXPECT_EQ(form_->sSkinManager1->SkinName(), s.name);
    const TsBitmap24 shot = Capture();
    SaveBmp(shot, s.shot);
    // The panel's face is its section's colour or gradient.
    EXPECT_EQ(Pixel(shot, At(form_->sPanel2, 400, 100)), PanelFace(400, 100)) << s.name;
    // Each button's face is painted across it, left of the caption as right of it.
    for (tk::TWinControl* b : {form_->Button_CalculateCheckSum, form_->sButton1}) {
      const int32_t y = b->Height() / 2, x = 10;
      EXPECT_EQ(Pixel(shot, At(b, x, y)), Pixel(shot, At(b, b->Width() - 1 - x, y))) << s.name << " " << b->Name();
    }
    panels.insert(Pixel(shot, At(form_->sPanel2, 400, 100)));
    buttons.insert(Pixel(shot, At(form_->sButton1, 10, 13)));
  }
  EXPECT_EQ(panels.size(), 3u) << "each skin has a panel face of its own";
  EXPECT_EQ(buttons.size(), 3u) << "each skin has a button face of its own";
  // Back in the skin the window started with: the same picture again.
  EXPECT_TRUE(Capture() == first);
}

// Every skinned window of the form shows a picture of its own in each skin:
// no control keeps the previous skin's look after a switch.
TEST_F(SkinSwitchTest, EverySkinnedWindowRepaintsWithTheNewSkin) {
  const std::vector<HWND> windows = SkinnedWindows();
  ASSERT_GE(windows.size(), 5u) << "two panels, three buttons";
  RECT form;
  GetWindowRect(form_->Handle(), &form);
  // Each window's part of a picture of the whole window.
  const auto part = [&](const TsBitmap24& shot, HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    std::vector<TColor> pixels;
    for (int32_t y = r.top; y < r.bottom; ++y)
      for (int32_t x = r.left; x < r.right; ++x) pixels.push_back(shot.Pixel(x - form.left, y - form.top));
    return pixels;
  };
  TsBitmap24 before = Capture();
  for (const SkinCase& s : kSkins) {
    Switch(s.name);
    const TsBitmap24 after = Capture();
    for (HWND h : windows) {
      wchar_t cls[64] = {};
      GetClassNameW(h, cls, 64);
      EXPECT_NE(part(before, h), part(after, h)) << s.name << ": window of class " << tk::Narrow(cls);
    }
    before = after;
  }
}

// A disabled button keeps 40 % of its own face and takes 60 % of the panel
// behind it (the panel is one colour around the button).
TEST_F(SkinSwitchTest, DisabledButtonBlendsIntoThePanel) {
  tk::TWinControl* b = form_->sButton1;
  const POINT face = At(b, 10, 13), panel = At(b, -3, 13);
  for (const SkinCase& s : kSkins) {
    Switch(s.name);
    const TsBitmap24 enabled = Capture();
    EnableWindow(b->Handle(), FALSE);
    const TsBitmap24 disabled = Capture();
    EnableWindow(b->Handle(), TRUE);
    const TColor own = Pixel(enabled, face), behind = Pixel(enabled, panel);
    TColor want = 0;
    for (int shift : {0, 8, 16})
      want |= ((6 * ((behind >> shift) & 0xFF) + 4 * ((own >> shift) & 0xFF) + 5) / 10) << shift;
    EXPECT_EQ(Pixel(disabled, face), want) << s.name;
    EXPECT_EQ(Pixel(disabled, panel), behind) << s.name;
  }
}

// The per-form component registers its form; the form then fades from the
// old skin's picture into the new one on an output window over it.
TEST_F(SkinSwitchTest, RegisteredFormFadesIntoTheNewSkin) {
  const POINT face = At(form_->sButton1, 10, 13);
  RECT r;
  GetWindowRect(form_->Handle(), &r);
  const POINT onScreen{r.left + face.x, r.top + face.y};
  const TColor before = Pixel(Capture(), face);

  std::atomic<bool> done{false}, seen{false};
  std::set<TColor> shown;
  std::thread watcher([&] {
    const base::WindowDc screen(nullptr);
    while (!done) {
      if (HWND out = FindWindowW(nullptr, skin::kOutputWindowCaption); out && IsWindowVisible(out)) {
        seen = true;
        shown.insert(GetPixel(screen.get(), onScreen.x, onScreen.y));
      }
      Sleep(1);
    }
  });
  // The form is registered by its skin provider.
  const auto& forms = skin::SkinForms();
  ASSERT_NE(std::find(forms.begin(), forms.end(), form_), forms.end());
  form_->sSkinManager1->AnimEffects.SkinChanging = {true, 100};
  Switch(kSkins[0].name);
  done = true;
  watcher.join();

  EXPECT_TRUE(seen);
  EXPECT_EQ(FindWindowW(nullptr, skin::kOutputWindowCaption), nullptr);
  const TColor after = Pixel(Capture(), face);
  EXPECT_NE(after, before);
  // Frames between the two looks: every channel between the old and the new.
  const auto between = [&](TColor c) {
    if (c == before || c == after) return false;
    for (int shift : {0, 8, 16}) {
      const int v = (c >> shift) & 0xFF, a = (before >> shift) & 0xFF, b = (after >> shift) & 0xFF;
      if (v < std::min(a, b) || v > std::max(a, b)) return false;
    }
    return true;
  };
  EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), between)) << shown.size() << " colours seen";
}

}  // namespace
