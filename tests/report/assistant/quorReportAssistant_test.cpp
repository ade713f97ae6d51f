// The program's assistants in real windows, driven as a user would: the
// send assistant without a screenshot shows two forms, the answers of a
// finished assistant go into the report and name its sender, the next
// assistant starts with them, and a cancelled one gives the report nothing.
#include "report/assistant/quorReportAssistant.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "report/assistant/quorNVForm.h"
#include "report/settings/quorSettingsLookup.h"
#include "tests/report/assistant/FormDriver.h"

namespace quor {
namespace {

class FakeReport : public IAssistantReport {
public:
  explicit FakeReport(QuorPtr<TIQuorSettings> settings) : settings_(std::move(settings)) {}
  IQuorSettings& Settings() override { return *settings_; }
  bool OffersScreenshot() override { return screenshot; }
  std::shared_ptr<const INVBitmap> Screenshot() override { return nullptr; }
  void SetScreenshot(std::shared_ptr<const INVBitmap>) override {}
  bool AttachesScreenshot() override { return false; }
  void SetAttachScreenshot(bool) override {}
  std::string TempFolder() override { return {}; }
  void AddHeaderField(const std::string& name, const std::string& value) override {
    headers.emplace_back(name, value);
  }
  void AddSection(const std::string& name, const std::string& text) override { sections.emplace_back(name, text); }

  bool screenshot = false;
  std::vector<std::pair<std::string, std::string>> headers, sections;

private:
  QuorPtr<TIQuorSettings> settings_;
};

using quor_test::WaitForForm;

void Type(HWND form, const NVFormModel& model, const char* item, const wchar_t* text) {
  SendMessageW(quor_test::ItemWindow(form, model, item), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Click(HWND form, const NVFormModel& model, std::string_view button) {
  SendMessageW(quor_test::ItemWindow(form, model, button), BM_CLICK, 0, 0);
}

// Waits until the form window is gone (the next one is a new window).
void WaitGone(HWND h) {
  for (int i = 0; i < 500 && IsWindow(h); ++i) Sleep(10);
}

class ReportAssistantTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quor");
    settings_ = CreateModuleSettings(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
    ASSERT_TRUE(settings_ && settings_->Valid());
  }
  QuorPtr<TIQuorSettings> settings_;
};

TEST_F(ReportAssistantTest, SendAssistantWithAndWithoutScreenshot) {
  FakeReport report(settings_);
  const std::optional<ReportAssistant> two = CreateAssistantByName(report, "sendassistant");
  ASSERT_TRUE(two);
  EXPECT_EQ(two->title, "Send Assistant");
  ASSERT_EQ(two->forms.size(), 2u);
  EXPECT_EQ(two->forms[0].name, "ContactForm");
  EXPECT_EQ(two->forms[1].name, "DetailsForm");
  report.screenshot = true;
  EXPECT_EQ(CreateAssistantByName(report, "SendAssistant")->forms.size(), 3u);
  EXPECT_FALSE(CreateAssistantByName(report, "NoSuchAssistant"));
}

TEST_F(ReportAssistantTest, FinishedAnswersGoIntoTheReportAndTheNextAssistant) {
  FakeReport report(settings_);
  std::optional<ReportAssistant> assistant = CreateAssistantByName(report, "SendAssistant");
  ASSERT_TRUE(assistant);
  const NVFormModel contact = assistant->forms[0], details = assistant->forms[1];
  std::thread user([&] {
    HWND first = WaitForForm();
    if (!first) return;
    Type(first, contact, "NameEdit", L"Jane Doe");
    Type(first, contact, "EmailEdit", L"jane@example.com");
    Click(first, contact, kContinueBtn);
    WaitGone(first);
    HWND second = WaitForForm();
    if (!second) return;
    Type(second, details, "DetailsMemo", L"I pressed Calculate.\r\nThen it broke.");
    Click(second, details, kContinueBtn);
  });
  EXPECT_TRUE(RunReportAssistant(*assistant, nullptr, report));
  user.join();
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(report.headers, (Pairs{{"contact name", "Jane Doe"}, {"contact email", "jane@example.com"}}));
  EXPECT_EQ(report.sections, (Pairs{{"error details", "I pressed Calculate.\r\nThen it broke."}}));
  EXPECT_EQ(settings_->MailFrom(), "Jane Doe <jane@example.com>");

  // The next assistant of the same program starts with the answers.
  FakeReport next(settings_);
  const std::optional<ReportAssistant> again = CreateAssistantByName(next, "SendAssistant");
  ASSERT_TRUE(again);
  EXPECT_EQ(again->forms[0].Find("NameEdit")->text, "Jane Doe");
  EXPECT_EQ(again->forms[1].Find("DetailsMemo")->text, "I pressed Calculate.\r\nThen it broke.");
}

TEST_F(ReportAssistantTest, CancelGivesTheReportNothing) {
  FakeReport report(settings_);
  const std::string sender = settings_->MailFrom();
  std::optional<ReportAssistant> assistant = CreateAssistantByName(report, "SaveAssistant");
  ASSERT_TRUE(assistant);
  const NVFormModel contact = assistant->forms[0];
  std::thread user([&] {
    HWND first = WaitForForm();
    if (!first) return;
    Type(first, contact, "NameEdit", L"Someone");
    Click(first, contact, kCancelBtn);
  });
  EXPECT_FALSE(RunReportAssistant(*assistant, nullptr, report));
  user.join();
  EXPECT_TRUE(report.headers.empty());
  EXPECT_TRUE(report.sections.empty());
  EXPECT_EQ(settings_->MailFrom(), sender);
}

}  // namespace
}  // namespace quor
