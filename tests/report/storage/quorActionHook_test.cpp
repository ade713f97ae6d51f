// The exception box's action hook: which buttons show an assistant first,
// what a cancelled assistant means, and the complete report before the
// process ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "report/handling/quorExceptObject.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/settings/quorSettingsObject.h"
#include "report/storage/quorActionHook.h"

namespace {

// What the stand-in assistant saw.
struct TAssistantCall {
  int Count = 0;
  std::string Name;
  HWND Owner = nullptr;
  bool OwnerTopmost = false;
  bool Answer = true;  // OK
} g_call;

bool StandInAssistant(const quor::AssistantDefinition& assistant, HWND owner, quor::TIQuorException&) {
  ++g_call.Count;
  g_call.Name = assistant.name;
  g_call.Owner = owner;
  g_call.OwnerTopmost = GetWindowLongA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST;
  return g_call.Answer;
}

quor::TExceptionRef NewException() {
  return quor::TExceptionRef(
      new quor::TIQuorException(quor::ProcessSettingsHost(), quor::MainSettings(), quor::TExceptionParams{}));
}

class ActionHookTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(quor::MainSettings());
    box_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "box", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                           nullptr, nullptr);
    ASSERT_TRUE(box_);
    quor::SetAssistantRunner(&StandInAssistant);
    g_call = {};
  }
  void TearDown() override {
    quor::SetAssistantRunner(nullptr);
    DestroyWindow(box_);
  }
  HWND box_ = nullptr;
};

// The test settings name SendAssistant, SaveAssistant and PrintAssistant,
// each defined among Assistant1..3.
TEST_F(ActionHookTest, SendSavePrintShowTheirAssistantAndACancelHandlesTheAction) {
  const struct {
    const char* what;
    int32_t action;
    bool withBox;
    const char* setting;  // null: the stored one
    const char* value;
    bool ok;
    bool handled;
    const char* shown;  // assistant shown, or null
  } cases[] = {
      {"send, OK", quor::BoxActionSend, true, nullptr, nullptr, true, false, "SendAssistant"},
      {"save, cancelled", quor::BoxActionSave, true, nullptr, nullptr, false, true, "SaveAssistant"},
      {"print, OK", quor::BoxActionPrint, true, nullptr, nullptr, true, false, "PrintAssistant"},
      {"print without box", quor::BoxActionPrint, false, nullptr, nullptr, false, false, nullptr},
      {"empty name", quor::BoxActionSend, true, "SendAssis", "", false, false, nullptr},
      {"name without definition", quor::BoxActionSave, true, "SaveAssis", "NoSuchAssistant", false, false, nullptr},
      {"show button", 3, true, nullptr, nullptr, false, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    g_call = {};
    g_call.Answer = c.ok;
    const quor::TExceptionRef e = NewException();
    if (c.setting) {
      ASSERT_TRUE(e->SetTextValue(c.setting, c.value));
    }
    EXPECT_EQ(quor::ActionHook(c.action, c.withBox ? box_ : nullptr, *e), c.handled);
    EXPECT_EQ(g_call.Count, c.shown ? 1 : 0);
    if (!c.shown) continue;
    EXPECT_EQ(g_call.Name, c.shown);
    EXPECT_EQ(g_call.Owner, box_);
    // The topmost box steps back while its assistant is up, and only then.
    EXPECT_FALSE(g_call.OwnerTopmost);
    EXPECT_TRUE(GetWindowLongA(box_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  }
}

TEST_F(ActionHookTest, WithoutAssistantsTheActionGoesOn) {
  quor::SetAssistantRunner(nullptr);
  const quor::TExceptionRef e = NewException();
  EXPECT_FALSE(quor::ActionHook(quor::BoxActionSend, box_, *e));
  EXPECT_EQ(g_call.Count, 0);
}

TEST_F(ActionHookTest, RestartAndCloseCompleteTheReportForACallbackThatWantsIt) {
  for (int32_t action : {quor::BoxActionRestart, quor::BoxActionClose}) {
    SCOPED_TRACE(action);
    const quor::TExceptionRef e = NewException();
    e->StartReport(false);  // built in the background
    bool heardComplete = false;
    const char key = 0;
    e->RegisterCallback(
        &key,
        [&](bool complete, const std::string&, quor::TIQuorException&) { heardComplete = heardComplete || complete; },
        true);
    EXPECT_FALSE(quor::ActionHook(action, box_, *e));
    EXPECT_TRUE(e->Complete());
    EXPECT_TRUE(heardComplete);
    e->UnregisterCallback(&key);
    EXPECT_EQ(g_call.Count, 0);
  }
}

}  // namespace
