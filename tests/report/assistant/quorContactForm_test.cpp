// The contact form's handler in real windows: "remember me" stores the name
// and address for the next report and forgets them when unchecked, the
// remembered values fill the form and put the focus on Continue, and the
// finished form names the report's sender.
#include "report/assistant/quorContactForm.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "base/WinRegKey.h"
#include "tests/report/assistant/FormDriver.h"

namespace quor {
namespace {

NVFormModel StoredContactForm() {
  std::ifstream in(std::string("Z:") + QUOR_ASSISTANT_FORMS + "/ContactForm.bin", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return ReadNVForm(bytes.str()).form;
}

std::wstring Remembered(const wchar_t* name) {
  wchar_t value[256] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kContactFormKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return L"(none)";
  return value;
}

using quor_test::WaitForForm;

int Index(const NVFormModel& f, const char* name) { return int(f.Find(name) - f.items.data()); }

TEST(ContactForm, RememberMeStoresAndForgetsAndTheSenderFollows) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quor");
  std::string mailFrom;
  const NVActionHandler handler = ContactFormHandler([&](const std::string& m) { mailFrom = m; });

  NVFormModel form = StoredContactForm();
  ASSERT_NE(form.Find("EmailEdit"), nullptr);
  handler(form, nvaCreated, nullptr);
  EXPECT_EQ(form.activeControl, "");  // nothing remembered yet
  std::thread user([&] {
    HWND h = WaitForForm();
    if (!h) return;
    SendMessageW(GetDlgItem(h, kNVFirstItemId + Index(form, "NameEdit")), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"Jane Doe"));
    SendMessageW(GetDlgItem(h, kNVFirstItemId + Index(form, "EmailEdit")), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"jane@example.com"));
    SendMessageW(GetDlgItem(h, kNVFirstItemId + Index(form, "MemCheck")), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(h, kNVFirstItemId), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(RunNVForm(form, {"Send Assistant", 1, 3, handler}, nullptr), nvmrContinue);
  user.join();
  EXPECT_EQ(mailFrom, "Jane Doe <jane@example.com>");
  EXPECT_EQ(Remembered(L"RememberName"), L"Jane Doe");
  EXPECT_EQ(Remembered(L"RememberEmail"), L"jane@example.com");

  // The next report's form starts with them, the focus on Continue; finished
  // without "remember me" it forgets them.
  NVFormModel next = StoredContactForm();
  handler(next, nvaCreated, nullptr);
  EXPECT_EQ(next.Find("NameEdit")->text, "Jane Doe");
  EXPECT_TRUE(next.Find("MemCheck")->checked);
  EXPECT_EQ(next.activeControl, "ContinueBtn");
  next.Find("MemCheck")->checked = false;
  next.modalResult = nvmrContinue;
  handler(next, nvaClosed, nullptr);
  EXPECT_EQ(Remembered(L"RememberName"), L"(none)");
  EXPECT_EQ(Remembered(L"RememberEmail"), L"(none)");

  // Cancelled: nothing is stored and no sender set.
  mailFrom.clear();
  next.modalResult = nvmrCancel;
  next.Find("MemCheck")->checked = true;
  handler(next, nvaClosed, nullptr);
  EXPECT_EQ(mailFrom, "");
  EXPECT_EQ(Remembered(L"RememberName"), L"(none)");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quor");
}

}  // namespace
}  // namespace quor
