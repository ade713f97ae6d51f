// The program's assistants in real windows, driven as a user would: the
// send assistant without a screenshot shows two forms, the answers of a
// finished assistant go into the report and name its sender, the next
// assistant starts with them, and a cancelled one gives the report nothing.
// With a screenshot the send assistant has three forms; the screenshot
// form shows the picture scaled down, opens it in the editor registered for
// BMP files (a stand-in that records its call), takes the edit saved behind
// its back and leaves the screenshot out when the user says so.
#include "report/assistant/quorReportAssistant.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <mutex>
#include <thread>

#include "report/assistant/quorNVForm.h"
#include "report/assistant/quorScreenshotForm.h"
#include "report/screenshot/quorWholeFile.h"
#include "base/WinRegKey.h"
#include "report/settings/quorSettingsLookup.h"
#include "tests/report/assistant/FormDriver.h"

namespace quor {
namespace {

class FakeReport : public IAssistantReport {
public:
  explicit FakeReport(QuorPtr<TIQuorSettings> settings) : settings_(std::move(settings)) {}
  IQuorSettings& Settings() override { return *settings_; }
  bool OffersScreenshot() override { return screenshot; }
  std::shared_ptr<const INVBitmap> Screenshot() override {
    const std::lock_guard hold(lock);
    return picture;
  }
  void SetScreenshot(std::shared_ptr<const INVBitmap> edited) override {
    const std::lock_guard hold(lock);
    picture = std::move(edited);
  }
  bool AttachesScreenshot() override { return attaches; }
  void SetAttachScreenshot(bool attach) override { attaches = attach; }
  std::string TempFolder() override { return tempFolder; }
  void AddHeaderField(const std::string& name, const std::string& value) override {
    headers.emplace_back(name, value);
  }
  void AddSection(const std::string& name, const std::string& text) override { sections.emplace_back(name, text); }

  bool screenshot = false;
  std::mutex lock;  // the picture is read by the test's user thread too
  std::shared_ptr<const INVBitmap> picture;
  bool attaches = true;
  std::string tempFolder;
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


using TRgbColor = std::array<uint8_t, 3>;
constexpr TRgbColor kRed = {255, 0, 0}, kGreen = {0, 255, 0}, kBlue = {0, 0, 255};

// A width x height picture, its left half `left` and its right half `right`.
std::shared_ptr<const INVBitmap> Halves(uint32_t width, uint32_t height, TRgbColor left, TRgbColor right) {
  NVPixels pixels(width, height);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const TRgbColor& c = x < width / 2 ? left : right;
      uint8_t* p = pixels.TopRow(y) + size_t(x) * kNVBytesPerPixel;
      p[kNVRed] = c[0], p[kNVGreen] = c[1], p[kNVBlue] = c[2];
    }
  return NVBitmapFromPixels(pixels.View());
}

// The pixel of the screen at a point of a window, as red, green, blue.
TRgbColor ScreenPixel(HWND window, POINT at) {
  ClientToScreen(window, &at);
  const std::unique_ptr<INVBitmap> shot = CaptureScreen(false);
  if (!shot) return {};
  const uint8_t* p = shot->Pixels().TopRow(uint32_t(at.y)) + size_t(at.x) * kNVBytesPerPixel;
  return {p[kNVRed], p[kNVGreen], p[kNVBlue]};
}

// Registers `command` as the "edit" verb of BMP files while the object
// lives (in the test's own prefix).
// Wine: the shell reads file classes from HKEY_CLASSES_ROOT only, not from
// the user's Software\Classes.
class BmpEditor {
public:
  explicit BmpEditor(const std::wstring& command) {
    createdExtension_ = Set(L".bmp", L"quorTestBmpFile");
    (void)Set(L"quorTestBmpFile\\shell\\edit\\command", command);
  }
  ~BmpEditor() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"quorTestBmpFile");
    if (createdExtension_) RegDeleteTreeW(HKEY_CLASSES_ROOT, L".bmp");
  }

private:
  // True when the key was new.
  static bool Set(const wchar_t* path, const std::wstring& value) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    if (!key) return false;
    const base::RegKey owned(key);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return disposition == REG_CREATED_NEW_KEY;
  }
  bool createdExtension_ = false;
};

std::optional<std::string> WaitForFile(const std::string& file) {
  for (int i = 0; i < 500; ++i) {
    if (std::optional<std::string> text = ReadWholeFile(file, 1 << 20)) return text;
    Sleep(20);
  }
  return std::nullopt;
}

TEST_F(ReportAssistantTest, ScreenshotFormShowsTakesAnEditAndLeavesTheScreenshotOut) {
  FakeReport report(settings_);
  report.screenshot = true;
  report.picture = Halves(1024, 768, kRed, kBlue);
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  report.tempFolder = std::string(temp) + "quorScrShotForm" + std::to_string(GetCurrentProcessId()) + "\\";
  ASSERT_TRUE(CreateDirectoryA(report.tempFolder.c_str(), nullptr));
  const std::string bmp = report.tempFolder + kScreenshotBmp;
  const std::string record = "/tmp/quor-editor-" + std::to_string(GetCurrentProcessId());
  // Wine: start /unix runs a Linux program, here the recording stand-in.
  const BmpEditor editor(L"start.exe /unix /usr/bin/python3 " QUOR_RECORD_ARGS_W L" " +
                         std::wstring(record.begin(), record.end()) + L" \"%1\"");

  std::optional<ReportAssistant> assistant = CreateAssistantByName(report, "SendAssistant");
  ASSERT_TRUE(assistant);
  ASSERT_EQ(assistant->forms.size(), 3u);
  const NVFormModel contact = assistant->forms[0], details = assistant->forms[1], shot = assistant->forms[2];
  EXPECT_EQ(shot.name, "ScrShotForm");
  EXPECT_TRUE(shot.Find(kAttachCheck)->checked);

  TRgbColor shownLeft{}, shownRight{}, edited{};
  RECT imageRect{};
  std::optional<std::string> opened;
  std::thread user([&] {
    HWND first = WaitForForm();
    if (!first) return;
    Type(first, contact, "EmailEdit", L"jane@example.com");
    Click(first, contact, kContinueBtn);
    WaitGone(first);
    HWND second = WaitForForm();
    if (!second) return;
    Click(second, details, kContinueBtn);
    WaitGone(second);
    HWND third = WaitForForm();
    if (!third) return;
    Sleep(300);
    const HWND image = quor_test::ItemWindow(third, shot, kScreenshotImage);
    GetWindowRect(image, &imageRect);
    MapWindowPoints(nullptr, third, reinterpret_cast<POINT*>(&imageRect), 2);
    // A quarter in from the left and the right, away from the cursor, which
    // rests in the screen's middle: the whole picture is there, scaled.
    const int quarter = (imageRect.right - imageRect.left) / 4;
    const POINT inside = {imageRect.left + quarter, imageRect.top + (imageRect.bottom - imageRect.top) / 4};
    shownLeft = ScreenPixel(third, inside);
    shownRight = ScreenPixel(third, {imageRect.right - quarter, inside.y});
    // Kept in the test's folder for a look.
    if (const std::unique_ptr<INVBitmap> screen = CaptureScreen(false)) (void)screen->SaveBmp("screenshot_form.bmp");
    SendMessageW(third, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(image), STN_CLICKED), reinterpret_cast<LPARAM>(image));
    opened = WaitForFile("Z:" + record);
    // The editor saves a green picture over the file.
    const NVBytesResult green = Halves(1024, 768, kGreen, kGreen)->AsBmp();
    Sleep(50);
    (void)WriteWholeFile(bmp, green.bytes);
    for (int i = 0; i < 100 && ScreenPixel(third, inside) != kGreen; ++i) Sleep(50);
    edited = ScreenPixel(third, inside);
    Click(third, shot, kAttachCheck);
    Click(third, shot, kContinueBtn);
  });
  EXPECT_TRUE(RunReportAssistant(*assistant, nullptr, report));
  user.join();
  DeleteFileA(("Z:" + record).c_str());
  RemoveDirectoryA(report.tempFolder.c_str());

  // The 1024 x 768 picture scaled down into the image's area, frames around.
  const int width = imageRect.right - imageRect.left, height = imageRect.bottom - imageRect.top;
  EXPECT_LT(width, 1024);
  EXPECT_NEAR(double(width - 8) / double(height - 8), 1024.0 / 768.0, 0.05) << width << " x " << height;
  EXPECT_EQ(shownLeft, kRed);
  EXPECT_EQ(shownRight, kBlue);
  ASSERT_TRUE(opened);
  EXPECT_NE(opened->find("screenShot.bmp"), std::string::npos) << *opened;
  EXPECT_EQ(edited, kGreen);
  ASSERT_TRUE(report.picture);
  EXPECT_EQ(report.picture->Pixels().TopRow(0)[kNVGreen], 255);
  EXPECT_FALSE(report.attaches);
  EXPECT_EQ(GetFileAttributesA(bmp.c_str()), INVALID_FILE_ATTRIBUTES) << "the editor's file is deleted";
}

}  // namespace
}  // namespace quor
