// The skin command protocol as two controls of the main window see it: a
// skinned panel with a transparent skinned button in it, both logging every
// SM_SKINCMD and WM_PAINT they receive into one list. The button's section
// (CHECKBOX) is wholly transparent, so it paints the panel's picture.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/sConst.h"
#include "tests/app/MainFormFixture.h"

namespace {

constexpr uint16_t kPaint = 0xFFFF;  // a WM_PAINT in the log

struct Entry {
  std::string who;
  uint16_t what;  // command code or kPaint
  LPARAM lParam;
};
std::vector<Entry>& Log() {
  static std::vector<Entry> log;
  return log;
}

void Record(const char* who, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == skin::SM_SKINCMD)
    Log().push_back({who, skin::SkinCmdOf(static_cast<uint32_t>(wParam)), lParam});
  else if (msg == WM_PAINT)
    Log().push_back({who, kPaint, 0});
}

// A skinned control that logs what it receives under a name, then handles it.
template <class Control>
class Spy : public Control {
public:
  Spy(tk::TComponent* owner, const char* who) : Control(owner), who_(who) {}
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    Record(who_, msg, wParam, lParam);
    return Control::WndProc(msg, wParam, lParam);
  }

private:
  const char* who_;
};
using SpyPanel = Spy<skin::TsPanel>;
using SpyButton = Spy<skin::TsButton>;

class SkinCommandsTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override {
    ShowForm();
    panel_ = new SpyPanel(form_, "panel");
    panel_->SetParent(form_->sPanel1);
    panel_->SetBounds(300, 10, 200, 70);
    panel_->SkinData.UpdateSection();
    button_ = new SpyButton(form_, "button");
    button_->SkinData.SetSkinSection("CHECKBOX");
    button_->SetParent(panel_);
    button_->SetBounds(20, 15, 120, 30);
    button_->SkinData.UpdateSection();
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    app_->ProcessMessages();
    Log().clear();
  }

  void TearDown() override {
    delete app_;
    Log().clear();
  }

  // Position of the first entry at or after `from` for who and what; the log's size if none.
  static size_t Find(const char* who, uint16_t what, size_t from = 0) {
    const auto& log = Log();
    for (size_t i = from; i < log.size(); ++i)
      if (log[i].who == who && log[i].what == what) return i;
    return log.size();
  }

  SpyPanel* panel_ = nullptr;
  SpyButton* button_ = nullptr;
};

TEST_F(SkinCommandsTest, TransparentChildAsksItsParentForThePictureWhileItPaints) {
  button_->SkinData.Invalidate();
  UpdateWindow(button_->Handle());
  const size_t paint = Find("button", kPaint);
  ASSERT_LT(paint, Log().size());
  EXPECT_LT(Find("panel", skin::SKC_GETBG, paint), Log().size());

  // What the button shows is exactly the panel's picture behind it.
  const skin::TsBitmap24 shown = Shot(button_->Handle()), behind = Shot(panel_->Handle());
  for (int32_t y = 0; y < shown.Height(); ++y)
    for (int32_t x = 0; x < shown.Width(); ++x)
      ASSERT_EQ(shown.Pixel(x, y), behind.Pixel(button_->Left() + x, button_->Top() + y)) << x << "," << y;
}

TEST_F(SkinCommandsTest, SkinSwitchReachesParentThenChildAndRepaintsInOrder) {
  // Without the fade, whose picture of the form paints the controls first
  // (the fade has its own test in skinswitch_test).
  form_->sSkinManager1->AnimEffects.SkinChanging.Active = false;
  Switch("Neutral (internal)");
  const LPARAM manager = reinterpret_cast<LPARAM>(form_->sSkinManager1);
  // New skin, then refresh: each to the panel first, which passes it on.
  const size_t panelNew = Find("panel", skin::SKC_SETNEWSKIN), buttonNew = Find("button", skin::SKC_SETNEWSKIN);
  const size_t panelRefresh = Find("panel", skin::SKC_REFRESH), buttonRefresh = Find("button", skin::SKC_REFRESH);
  ASSERT_LT(buttonRefresh, Log().size());
  EXPECT_LT(panelNew, buttonNew);
  EXPECT_LT(buttonNew, panelRefresh);
  EXPECT_LT(panelRefresh, buttonRefresh);
  for (size_t i : {panelNew, buttonNew, panelRefresh, buttonRefresh}) EXPECT_EQ(Log()[i].lParam, manager);
  // Nothing paints before the refresh; then the panel paints, tells the
  // button, and the button paints over the panel's new picture.
  EXPECT_GT(Find("panel", kPaint), buttonRefresh);
  EXPECT_GT(Find("button", kPaint), buttonRefresh);
  const size_t panelPaint = Find("panel", kPaint);
  const size_t told = Find("button", skin::SKC_PARENTUPDATED, panelPaint);
  ASSERT_LT(told, Log().size());
  const size_t lastButtonPaint = [] {
    size_t last = Log().size();
    for (size_t i = 0; i < Log().size(); ++i)
      if (Log()[i].who == "button" && Log()[i].what == kPaint) last = i;
    return last;
  }();
  ASSERT_LT(lastButtonPaint, Log().size());
  EXPECT_LT(Find("panel", skin::SKC_GETBG, lastButtonPaint), Log().size());
}

}  // namespace
