// The main window shown in a real window under Wine for painting tests,
// with its skin manager at hand, and pictures read back from the windows.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/formmain.h"
#include "base/WinWindowDc.h"
#include "skin/sConst.h"
#include "skin/sGraphUtils.h"
#include "skin/sGraphUtilsWin.h"
#include "skin/sRegister.h"
#include "tests/app/SectionFace.h"
#include "toolkit/StdClasses.h"

class MainFormFixture {
protected:
  static void RegisterClasses() {
    tk::RegisterStandardClasses();
    skin::RegisterSkinClasses();
  }

  void ShowForm() {
    // Away from the window, so that no button shows the hot look.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    app_ = new tk::TApplication;
    app_->MainFormOnTaskBar = true;
    app_->CreateForm(form_);
    form_->Show();
    SetForegroundWindow(form_->Handle());
    app_->ProcessMessages();
  }

  // A control made at run time on the form, placed in `parent`.
  template <class T>
  T* Place(tk::TWinControl* parent, RECT bounds) {
    auto* c = new T(form_);
    c->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    c->SetParent(parent);
    return c;
  }
  // A free spot of the top panel, clear of its other controls.
  static constexpr RECT kFreeSpot = {300, 20, 420, 60};

  void Switch(const std::string& skinName) {
    form_->sSkinManager1->SetSkinName(skinName);
    app_->ProcessMessages();
  }

  // The visible windows of the form that answer SKC_ISSKINNED.
  std::vector<HWND> SkinnedWindows() const {
    std::vector<HWND> windows;
    EnumChildWindows(
        form_->Handle(),
        [](HWND h, LPARAM list) -> BOOL CALLBACK {
          const bool skinned = SendMessageW(h, skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_ISSKINNED), 0) == 1;
          if (skinned && IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
  }

public:
  // What a window's client area shows now, read from its own device context
  // without letting any message through.
  static skin::TsBitmap24 Shot(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    skin::TsBitmap24 shot(r.right, r.bottom);
    {
      skin::TsDibCanvas canvas(shot);
      const base::WindowDc dc(h);
      BitBlt(canvas.DC(), 0, 0, r.right, r.bottom, dc.get(), 0, 0, SRCCOPY);
    }
    return shot;
  }

protected:

  // What a control of the section shows at the point where its border
  // image's face begins (left and top margins in), in a state: the image's
  // picture through its mask over the section's own face (colour or
  // gradient) painted for a control of size w x h.
  skin::TColor BorderFace(const char* section, int32_t state, int32_t w, int32_t h) const {
    const skin::TsSkinManager& sm = *form_->sSkinManager1;
    const int32_t i = sm.GetMaskIndex(sm.GetSkinIndex(section), section, "BORDERSMASK");
    EXPECT_GE(i, 0) << section;
    if (i < 0) return 0;
    const skin::TsMaskData& img = sm.ma()[i];
    const skin::TsBitmap24& pic = img.Picture ? *img.Picture : sm.MasterBitmap();
    const skin::TRect s = skin::StateRect(img, state);
    const int32_t x = s.Left + img.WL, y = s.Top + img.WT;
    const skin::TColor p = pic.Pixel(x, y);
    if (img.MaskType <= 0) return p;
    const skin::TColor m = pic.Pixel(x, y + s.Height());
    const skin::TColor under = SectionFace(sm, section, state != 0, w, h, img.WL, img.WT);
    skin::TColor c = 0;
    for (int shift : {0, 8, 16}) {
      const int32_t pc = (p >> shift) & 0xFF, tc = (under >> shift) & 0xFF, mc = (m >> shift) & 0xFF;
      c |= static_cast<skin::TColor>(pc + (((tc - pc) * mc) >> 8)) << shift;
    }
    return c;
  }

  tk::TApplication* app_ = nullptr;
  Tform_main* form_ = nullptr;
};

// The main window shown in each internal skin in turn (the test's parameter).
class PerSkinTest : public testing::TestWithParam<const char*>, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override {
    ShowForm();
    Switch(GetParam());
  }
  void TearDown() override { delete app_; }
};

inline const auto kInternalSkins =
    testing::Values("GrayPlastic (internal)", "Neutral (internal)", "Office12Style (internal)");
// "GrayPlastic" for "GrayPlastic (internal)".
inline std::string SkinTestName(const testing::TestParamInfo<const char*>& i) {
  return std::string(i.param).substr(0, std::string(i.param).find(' '));
}
