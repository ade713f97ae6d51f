#include "report/settings/quorSettingsObject.h"

#include <gtest/gtest.h>

#include "report/settings/quorFilterGroup.h"
#include "report/settings/quorFormCache.h"
#include "tests/report/settings/SettingsFixture.h"

namespace {

using quortest::FakeSettingsHost;
using quortest::ResourceBytes;

constexpr uintptr_t kExe = 0x400000, kDll = 0x10000000;

class SettingsObject : public ::testing::Test {
protected:
  void SetUp() override {
    main_ =
        host_.Settings(kExe, ResourceBytes()
                                 .Bool("Enabled", true)
                                 .Text("MailSubj", "report of %modname%")
                                 .Int("ScrShotDepth", 8)
                                 .Text("Plugins", "modules|processes|hardware")
                                 .Text("Assistant1", "SendAssistant|Send Assistant|ContactForm|DetailsForm|ScrShotForm")
                                 .Text("Assistant2", "SaveAssistant|Save Assistant|ContactForm")
                                 .End());
    quor::SetMainSettings(main_);
  }
  void TearDown() override { quor::SetMainSettings(nullptr); }

  FakeSettingsHost host_;
  quor::QuorPtr<quor::TIQuorSettings> main_;
};

TEST_F(SettingsObject, MissingValuesComeFromBuiltInsInTheMainAndFromTheMainElsewhere) {
  auto dll = host_.Settings(kDll, ResourceBytes().Int("SmtpPort", 2525).End());
  main_->SetIntValue("HttpPort", 8080);
  EXPECT_EQ(main_->MailFrom(), "");   // built-in
  EXPECT_EQ(main_->AutoDelay(), 60);  // built-in
  EXPECT_EQ(main_->IntValue("VersionVar"), 0);
  EXPECT_EQ(dll->SmtpPort(), 2525);                          // own
  EXPECT_EQ(dll->HttpPort(), 8080);                          // the main's, as changed
  EXPECT_EQ(dll->AutoDelay(), 60);                           // the main's built-in
  EXPECT_TRUE(dll->Enabled());                               // the main's stored value, not the built-in False
  EXPECT_EQ(dll->MailSubj(), "report of mod268435456.dll");  // inherited text names this module
  EXPECT_EQ(dll->IntValue("NoSuchSetting"), 0);
}

TEST_F(SettingsObject, OwnSettingsOverAParentChangeOnlyThemselves) {
  auto dll = host_.Settings(kDll, ResourceBytes().Int("SmtpPort", 2525).End());
  quor::QuorPtr<quor::TIQuorSettings> own(new quor::TIQuorSettings(host_, dll));
  EXPECT_TRUE(own->SetSmtpPort(25));
  EXPECT_TRUE(own->SetMailSubj("own %modname%"));
  EXPECT_TRUE(own->SetBoolValue("NewFlag", true));
  EXPECT_EQ(own->SmtpPort(), 25);
  EXPECT_EQ(dll->SmtpPort(), 2525);  // the parent keeps its value
  EXPECT_EQ(own->MailSubj(), "own mod268435456.dll");
  EXPECT_EQ(dll->MailSubj(), "report of mod268435456.dll");
  EXPECT_EQ(own->AutoDelay(), 60);  // through the parent to the built-ins
  EXPECT_TRUE(own->Enabled());      // through the parent to the main settings
  EXPECT_EQ(own->Module(), kDll);
  EXPECT_FALSE(dll->BoolValue("NewFlag"));
}

TEST_F(SettingsObject, WithoutMainSettingsEveryObjectUsesTheBuiltIns) {
  quor::SetMainSettings(nullptr);
  auto dll = host_.Settings(kDll, ResourceBytes().End());
  EXPECT_FALSE(dll->Enabled());
  EXPECT_EQ(dll->BugRepFile(), "bugreport.txt");
}

TEST_F(SettingsObject, SettersFollowKindAndResource) {
  auto noResource = host_.Settings(kDll, "");
  const struct {
    quor::TIQuorSettings* settings;
    bool (*set)(quor::TIQuorSettings&);
    bool stored;
  } cases[] = {
      {main_.get(), [](quor::TIQuorSettings& s) { return s.SetAutoDelay(7); }, true},  // not stored yet: added
      {main_.get(), [](quor::TIQuorSettings& s) { return s.SetBoolValue("MailSubj", true); }, false},  // stored as text
      {main_.get(), [](quor::TIQuorSettings& s) { return s.SetScrShotDepth(24); }, true},
      {main_.get(), [](quor::TIQuorSettings& s) { return s.SetMailSubj("x"); }, true},
      {noResource.get(), [](quor::TIQuorSettings& s) { return s.SetAutoDelay(9); }, false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.set(*c.settings), c.stored);
  EXPECT_EQ(main_->AutoDelay(), 7);
  EXPECT_EQ(main_->MailSubj(), "x");
  EXPECT_EQ(main_->ScrShotDepth(), 24);
  EXPECT_EQ(noResource->AutoDelay(), 7);  // inherits from the main
  const quor::SettingsProperty* added = quor::FindProperty(*main_->Record(), "AutoDelay");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->kind, quor::kKindInteger);
}

TEST_F(SettingsObject, PluginSwitches) {
  const struct {
    const char* name;
    bool on;
    const char* after;
  } cases[] = {
      {"hardware", false, "modules|processes"},
      {"MODULES", true, "modules|processes"},  // already on: unchanged
      {"hardware", true, "modules|processes|hardware"},
      {"processes", false, "modules|hardware"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(main_->SetPlugin(c.name, c.on));
    EXPECT_EQ(main_->Plugins(), c.after) << c.name;
    EXPECT_EQ(main_->Plugin(c.name), c.on);
  }
}

TEST_F(SettingsObject, AssistantLeavesScreenshotFormOutWithoutScreenshots) {
  auto send = main_->Assistant("sendassistant");
  ASSERT_TRUE(send);
  EXPECT_EQ(send->title, "Send Assistant");
  EXPECT_EQ(send->forms, (std::vector<std::string>{"ContactForm", "DetailsForm", "ScrShotForm"}));
  ASSERT_TRUE(main_->SetScrShotDepth(0));
  EXPECT_EQ(main_->Assistant("SendAssistant")->forms, (std::vector<std::string>{"ContactForm", "DetailsForm"}));
  EXPECT_TRUE(main_->Assistant("SaveAssistant"));
  EXPECT_FALSE(main_->Assistant("PrintAssistant"));  // Assistant3 is empty: the search ends
}

TEST_F(SettingsObject, FieldsComeFromAddFieldsAndWriteBack) {
  ASSERT_TRUE(main_->SetTextValue("AddFields", "Customer=ACME| Build = 12 "));
  auto fields = main_->Fields();
  EXPECT_EQ(fields->Count(), 2);
  EXPECT_EQ(fields->Content("build"), "12");
  EXPECT_TRUE(fields->SetContent("Site", "  Berlin "));
  EXPECT_EQ(main_->AddFields(), "Customer=ACME|Build=12|Site=Berlin");
  EXPECT_TRUE(fields->Delete("customer"));
  EXPECT_EQ(main_->AddFields(), "Build=12|Site=Berlin");
}

TEST_F(SettingsObject, AttachmentsComeFromAddAttachsAndWriteBack) {
  ASSERT_TRUE(main_->SetTextValue("AddAttachs", "C:\\logs\\app.log|C:\\x\\data.bin>data.bin>pack.zip>blob"));
  auto list = main_->Attachments();
  ASSERT_EQ(list->Count(), 2);
  quor::AttachmentEntry e;
  ASSERT_TRUE(list->Item(0, e));
  EXPECT_EQ(e.sendAs, "app.log");
  EXPECT_EQ(e.field, "app");
  EXPECT_TRUE(list->Add("D:\\shots\\screen.v2.png", "", "", "shots.zip"));
  EXPECT_EQ(main_->AddAttachs(),
            "C:\\logs\\app.log>app.log>>app|C:\\x\\data.bin>data.bin>pack.zip>blob|"
            "D:\\shots\\screen.v2.png>screen.v2.png>shots.zip>screen.v2");
  EXPECT_TRUE(list->Delete("c:\\X\\DATA.BIN"));
  EXPECT_EQ(list->Count(), 2);
  list->Clear();
  EXPECT_EQ(main_->AddAttachs(), "");
  EXPECT_EQ(main_->Attachments().get(), list.get());  // one list per settings object
}

TEST_F(SettingsObject, ReloadForgetsChanges) {
  ASSERT_TRUE(main_->SetAutoDelay(5));
  main_->Reload();
  EXPECT_EQ(quor::FindProperty(*main_->Record(), "AutoDelay"), nullptr);
}

TEST_F(SettingsObject, FilterGroupPicksFirstListedGroup) {
  ASSERT_TRUE(main_->SetF1Classes("EDBEditError, EMine"));
  ASSERT_TRUE(main_->SetF2Classes("Exception"));
  ASSERT_TRUE(main_->SetF1NoScrShot(true));
  ASSERT_TRUE(main_->SetF1ShowCfg(quor::kPresentSimpleBox));
  ASSERT_TRUE(main_->SetPauseThreads(true));
  ASSERT_TRUE(main_->SetF2NoSuspend(true));
  ASSERT_TRUE(main_->SetGnAssis("SendAssistant"));
  const struct {
    std::vector<std::string> chain;
    const char* group;
    bool screenshot, pause;
    quor::TPresentation presentation;
    const char* assistant;
  } cases[] = {
      {{"EMine", "Exception", "TObject"}, "F1", false, true, quor::kPresentSimpleBox, ""},
      {{"ERangeError", "Exception", "TObject"}, "F2", true, false, quor::kPresentFullBox, ""},
      {{"edbediterror"}, "F1", false, true, quor::kPresentSimpleBox, ""},
      {{}, "Gn", true, true, quor::kPresentFullBox, "SendAssistant"},
  };
  for (const auto& c : cases) {
    const quor::FilterGroupChoice choice = quor::FilterGroup(*main_, c.chain);
    EXPECT_STREQ(choice.group, c.group);
    EXPECT_TRUE(choice.createBugReport);
    EXPECT_EQ(choice.createScreenshot, c.screenshot) << c.group;
    EXPECT_EQ(choice.pauseThreads, c.pause) << c.group;
    EXPECT_EQ(choice.presentation, c.presentation);
    EXPECT_EQ(choice.assistant, c.assistant);
  }
}

TEST_F(SettingsObject, FormCacheStoresOkFormsAndRestoresAllFields) {
  std::vector<quor::FormCacheForm> closed = {
      {1, {{"Name", false, " Ann ", false}, {"Copy", true, "", true}, {"", false, "unnamed", false}}, true, false},
      {2, {{"Details", false, "cancelled", false}}, true, false},
  };
  auto cache = main_->FormCache();
  quor::StoreFormCache(*cache, closed);
  EXPECT_EQ(cache->Count(), 2);
  EXPECT_EQ(cache->Content("copy"), "+");
  std::vector<quor::FormCacheForm> next = {
      {0, {{"Name", false, "", false}, {"Copy", true, "", false}}, true, false},
      {0, {{"Name", false, "", false}, {"Details", false, "", false}}, true, false},
      {0, {{"Name", false, "", false}}, false, false},
  };
  quor::ApplyFormCache(*cache, next);
  EXPECT_EQ(next[0].items[0].text, "Ann");
  EXPECT_TRUE(next[0].items[1].checked);
  EXPECT_TRUE(next[0].focusContinue);
  EXPECT_FALSE(next[1].focusContinue);  // Details was not cached
  EXPECT_FALSE(next[2].focusContinue);  // continue button disabled
}

}  // namespace
