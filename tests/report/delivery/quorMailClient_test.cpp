// The mailto link handed to the program registered for mailto (a stand-in
// that records its arguments), and the registry lookup of that program.
#include "report/delivery/quorMailClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/WinRegKey.h"

namespace quor {
namespace {

using namespace std::chrono_literals;

const wchar_t kUserMailto[] = L"Software\\Classes\\mailto\\shell\\open\\command";

// Registers `command` as the user's mailto handler while the object lives.
class MailtoHandler {
public:
  explicit MailtoHandler(const std::wstring& command) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kUserMailto, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const base::RegKey owned(key);
    EXPECT_EQ(RegSetValueExW(key, nullptr, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                             static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  ~MailtoHandler() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\mailto"); }
};

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

std::string WaitForFile(const std::string& unixPath) {
  for (int i = 0; i < 250; ++i) {
    std::ifstream in("Z:" + unixPath, std::ios::binary);
    if (in) {
      std::ostringstream text;
      text << in.rdbuf();
      return text.str();
    }
    std::this_thread::sleep_for(20ms);
  }
  return {};
}

TEST(Mailto, HandlerCommandComesFromTheRegistryWithVariablesExpanded) {
  SetEnvironmentVariableW(L"QUOR_MAIL_DIR", L"C:\\mail");
  const MailtoHandler handler(L"%QUOR_MAIL_DIR%\\client.exe /compose \"%1\"");
  EXPECT_EQ(MailtoHandlerCommand(), std::wstring(L"C:\\mail\\client.exe /compose \"%1\""));
}

TEST(Mailto, AnEmptyRegistrationCountsAsNone) {
  const MailtoHandler handler(L"");
  MailClientJob job;
  job.recipients = {"support@example.com"};
  EXPECT_EQ(SendViaMailto(job), MailClientResult::Failed);
}

TEST(Mailto, TheRegisteredProgramGetsTheLink) {
  const std::string out = "/tmp/quor-mailto-" + std::to_string(GetCurrentProcessId());
  // Wine: start /unix runs a Linux program, here the recording stand-in.
  const MailtoHandler handler(L"start.exe /unix /usr/bin/python3 " + Wide(QUOR_DELIVERY_PEERS) +
                              L"/record_args.py " + Wide(out) + L" \"%1\"");
  MailClientJob job;
  job.recipients = {"Support <support@example.com>", "dev@example.org"};
  job.subject = "Bug report: x & y";
  job.body = "line 1\r\nline 2 100%";
  ASSERT_EQ(SendViaMailto(job), MailClientResult::Sent);
  const std::string link = WaitForFile(out);
  std::remove(("Z:" + out).c_str());
  EXPECT_EQ(link,
            "mailto:support@example.com,dev@example.org?subject=Bug%20report%3A%20x%20%26%20y"
            "&body=line%201%0D%0Aline%202%20100%25");
}

}  // namespace
}  // namespace quor
