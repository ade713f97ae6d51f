// The skin command handling all skinned controls share, in real windows:
// the changed-section notice, commands that reach only live windows, a
// manager that goes away, and the pictures that a gradient owner's new
// size or a request to invalidate everything makes stale.
#include <windows.h>
#include <gtest/gtest.h>

#include "skin/sVclUtils.h"
#include "tests/app/MainFormFixture.h"

namespace {

class SkinCommonTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }

  void SetUp() override { ShowForm(); }
  void TearDown() override { delete app_; }

  // Paints everything that waits, so that no cache is dirty and no window
  // has an update region left.
  void Settle() {
    app_->ProcessMessages();
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    app_->ProcessMessages();
  }

  static bool WaitsForPaint(const tk::TWinControl* c) {
    RECT r;
    return GetUpdateRect(c->Handle(), &r, FALSE) != FALSE;
  }

  // A section of the active skin whose face is a gradient.
  std::string GradientSection() const {
    for (const skin::TsGeneralData& g : form_->sSkinManager1->gd())
      if (g.GradientPercent > 0 && !g.SectionName.empty()) return g.SectionName;
    return {};
  }
};

TEST_F(SkinCommonTest, SectionChangedRepaintsTheControlsOfThatSection) {
  auto* button = Place<skin::TsButton>(form_->sPanel1, kFreeSpot);
  const struct {
    const char* changed;
    bool repaints;
  } cases[] = {{"button", true}, {"PANEL", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.changed);
    Settle();
    ASSERT_FALSE(button->SkinData.CacheDirty);
    skin::ChangedSection() = c.changed;
    SendMessageW(button->Handle(), skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_SECTIONCHANGED), 0);
    EXPECT_EQ(button->SkinData.CacheDirty, c.repaints);
    EXPECT_EQ(WaitsForPaint(button), c.repaints);
  }
}

TEST_F(SkinCommonTest, CommandsReachOnlyLiveWindows) {
  auto* unplaced = new skin::TsButton(form_);  // no parent: no window
  auto* leaving = Place<skin::TsButton>(form_->sPanel1, kFreeSpot);
  Settle();
  leaving->Destroying();
  for (skin::TsButton* b : {unplaced, leaving}) {
    b->SkinData.CacheDirty = false;
    EXPECT_EQ(skin::SendSkinCommand(b, skin::SKC_SETCACHEDIRTY, 0), 0);
    EXPECT_FALSE(b->SkinData.CacheDirty) << (b == unplaced ? "without a window" : "being destroyed");
  }
  // Questions are still answered by a control without a window.
  EXPECT_TRUE(skin::IsSkinnedControl(unplaced));
}

TEST_F(SkinCommonTest, ControlForgetsItsOwnManagerWhenThatManagerGoes) {
  auto* button = Place<skin::TsButton>(form_->sPanel1, kFreeSpot);
  auto* own = new skin::TsSkinManager(form_);
  own->AnimEffects.SkinChanging.Active = false;
  own->SetInternalSkins(form_->sSkinManager1->InternalSkins());
  own->SetSkinName("Neutral (internal)");
  button->SkinData.SetSkinManager(own);
  ASSERT_EQ(button->SkinData.SkinManager(), own);
  ASSERT_TRUE(button->SkinData.IsSkinned());

  delete own;
  EXPECT_EQ(button->SkinData.SkinManager(), nullptr);
  EXPECT_EQ(button->SkinData.Manager(), form_->sSkinManager1) << "the default manager again";
}

TEST_F(SkinCommonTest, GradientOwnerResizedInvalidatesTheChildrenThatStayInPlace) {
  const std::string section = GradientSection();
  ASSERT_FALSE(section.empty()) << "the skin has a section with a gradient face";
  auto* owner = Place<skin::TsPanel>(form_->sPanel2, {300, 10, 500, 100});
  owner->SkinData.SetSkinSection(section);
  // Disabled, the button shows its owner's picture through (blended with it).
  auto* child = Place<skin::TsButton>(owner, {10, 10, 90, 40});
  EnableWindow(child->Handle(), FALSE);
  Settle();
  ASSERT_TRUE(owner->SkinData.IsSkinned());
  ASSERT_TRUE(child->SkinData.NeedsParentBackground());
  ASSERT_FALSE(child->SkinData.CacheDirty);
  ASSERT_FALSE(WaitsForPaint(child));

  owner->SetBounds(300, 10, 260, 100);
  EXPECT_TRUE(child->SkinData.CacheDirty);
  EXPECT_TRUE(WaitsForPaint(child));
}

TEST_F(SkinCommonTest, InvalidateAllReachesTheChildrenOnTheOwnersPicture) {
  const std::string section = GradientSection();
  ASSERT_FALSE(section.empty());
  auto* outer = Place<skin::TsPanel>(form_->sPanel2, {300, 10, 500, 100});
  outer->SkinData.SetSkinSection(section);
  auto* inner = Place<skin::TsPanel>(outer, {10, 10, 190, 80});
  auto* child = Place<skin::TsButton>(inner, {10, 10, 90, 40});
  EnableWindow(inner->Handle(), FALSE);
  EnableWindow(child->Handle(), FALSE);
  Settle();
  ASSERT_TRUE(inner->SkinData.NeedsParentBackground());
  ASSERT_TRUE(child->SkinData.NeedsParentBackground());
  ASSERT_FALSE(child->SkinData.CacheDirty);

  SendMessageW(inner->Handle(), skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_INVALIDATEALL, 1), 0);
  EXPECT_TRUE(inner->SkinData.CacheDirty);
  EXPECT_TRUE(child->SkinData.CacheDirty);
  EXPECT_TRUE(WaitsForPaint(child));
}

}  // namespace
