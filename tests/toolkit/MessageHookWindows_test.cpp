// Message hooks on real windows: they see window messages and the toolkit's
// notifications, survive the window being created again, and come out in
// any order without disturbing the others.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

namespace {

struct HookedEdit : ::testing::Test {
  // Outlives the form: the hooks still see the messages of its destruction.
  std::vector<UINT> seen;
  tk::TApplication application;
  tk::TForm form{nullptr};
  tk::TEdit* edit = new tk::TEdit(&form);

  void SetUp() override {
    form.SetBounds(0, 0, 300, 200);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 200, 24);
    form.HandleNeeded();
  }
  tk::TMessageHookChain::Id Record() {
    return edit->HookMessages([this](const tk::TMessage& m, const tk::TMessageHandler& next) {
      seen.push_back(m.msg);
      return next(m);
    });
  }
  bool Saw(UINT msg) const { return std::find(seen.begin(), seen.end(), msg) != seen.end(); }
};

TEST_F(HookedEdit, NotificationsFollowPropertyChanges) {
  Record();
  struct Case {
    void (*change)(tk::TEdit&);
    UINT notification;
  };
  const Case cases[] = {
      {[](tk::TEdit& e) { e.SetEnabled(false); }, tk::CM_ENABLEDCHANGED},
      {[](tk::TEdit& e) { e.SetCaption("new text"); }, tk::CM_TEXTCHANGED},
      {[](tk::TEdit& e) { e.SetVisible(false); }, tk::CM_VISIBLECHANGED},
      {[](tk::TEdit& e) { e.SetVisible(true); }, tk::CM_SHOWINGCHANGED},
  };
  for (const Case& c : cases) {
    seen.clear();
    c.change(*edit);
    EXPECT_TRUE(Saw(c.notification)) << std::hex << c.notification;
  }
  EXPECT_FALSE(IsWindowEnabled(edit->Handle()));
  // The window's own change reaches the control too.
  seen.clear();
  EnableWindow(edit->Handle(), TRUE);
  EXPECT_TRUE(Saw(WM_ENABLE));
  EXPECT_TRUE(Saw(tk::CM_ENABLEDCHANGED));
  EXPECT_TRUE(edit->Enabled());
}

TEST_F(HookedEdit, KeysAndWheelAreReflectedAndAHookCanTakeThem) {
  edit->HookMessages([](const tk::TMessage& m, const tk::TMessageHandler& next) -> intptr_t {
    if (m.msg == tk::CN_KEYDOWN && m.wParam == 'X') return 1;  // used: the edit never types it
    return next(m);
  });
  Record();
  SetFocus(edit->Handle());
  SendMessageW(edit->Handle(), WM_KEYDOWN, 'X', 0);
  SendMessageW(edit->Handle(), WM_CHAR, 'y', 0);
  SendMessageW(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_TRUE(Saw(tk::CN_KEYDOWN));
  EXPECT_TRUE(Saw(tk::CM_MOUSEWHEEL));
  EXPECT_EQ(edit->Text(), "y");
}

TEST_F(HookedEdit, HooksSurviveRecreationAndLeaveInAnyOrder) {
  const auto first = Record();
  int secondCalls = 0;
  const auto second = edit->HookMessages([&](const tk::TMessage& m, const tk::TMessageHandler& next) {
    ++secondCalls;
    return next(m);
  });
  const HWND before = edit->Handle();
  edit->RecreateWnd();
  ASSERT_NE(edit->Handle(), nullptr);
  EXPECT_NE(edit->Handle(), before);
  seen.clear();
  SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
  EXPECT_TRUE(Saw(WM_SETTEXT));
  // Out of installation order: the first hook goes, the second still runs.
  edit->UnhookMessages(first);
  seen.clear();
  secondCalls = 0;
  SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"def"));
  EXPECT_TRUE(seen.empty());
  EXPECT_GT(secondCalls, 0);
  edit->UnhookMessages(second);
  EXPECT_EQ(edit->Text(), "def");
}

}  // namespace
