// The mailto link handed to the program registered for mailto (a stand-in
// that records its arguments), and the registry lookup of that program; the
// Simple MAPI message handed to the system's mail program (a stand-in
// library that records what it gets, registered as Windows finds one).
#include "report/delivery/quorMailClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include <mapi.h>

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

const wchar_t kMailClients[] = L"Software\\Clients\\Mail";
const wchar_t kRecorder[] = L"Sorvenal MAPI Recorder";

// Registers the recording library as the system's mail program while the
// object lives, the way Windows finds one: the default value of
// HKLM\Software\Clients\Mail names the client, the DLLPath of the client's
// key is its Simple MAPI library. mapi32 reads it when it is loaded.
class MapiRecorder {
public:
  MapiRecorder() {
    std::wstring path = Wide(QUOR_MAPI_RECORDER);
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
    const std::wstring clientKey = std::wstring(kMailClients) + L"\\" + kRecorder;
    EXPECT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, clientKey.c_str(), L"DLLPath", REG_SZ, path.c_str(),
                              static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    wchar_t previous[MAX_PATH] = {};
    DWORD size = sizeof previous;
    hadDefault_ = RegGetValueW(HKEY_LOCAL_MACHINE, kMailClients, nullptr, RRF_RT_REG_SZ, nullptr, previous, &size) ==
                  ERROR_SUCCESS;
    previous_ = previous;
    SetDefault(kRecorder);
    SetEnvironmentVariableA("QUOR_MAPI_RECORD", ("Z:" + record_).c_str());
  }
  ~MapiRecorder() {
    if (hadDefault_)
      SetDefault(previous_);
    else
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMailClients, nullptr);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, (std::wstring(kMailClients) + L"\\" + kRecorder).c_str());
    SetEnvironmentVariableA("QUOR_MAPI_ANSWER", nullptr);
    std::remove(("Z:" + record_).c_str());
  }
  // The answer of the next send; the last record is forgotten.
  void Answer(ULONG answer) {
    SetEnvironmentVariableA("QUOR_MAPI_ANSWER", std::to_string(answer).c_str());
    std::remove(("Z:" + record_).c_str());
  }
  // What the mail program got, one line per item, texts in hexadecimal.
  std::string Record() const { return WaitForFile(record_); }

private:
  static void SetDefault(const std::wstring& name) {
    EXPECT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kMailClients, nullptr, REG_SZ, name.c_str(),
                              static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }

  std::string record_ = "/tmp/quor-mapi-" + std::to_string(GetCurrentProcessId());
  bool hadDefault_ = false;
  std::wstring previous_;
};

std::string Hex(const std::string& text) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : text) out += {digits[c >> 4], digits[c & 15]};
  return out;
}

MailClientJob MapiJob() {
  MailClientJob job;
  job.recipients = {"Sorvenal Support <support@example.com>", "dev@example.org"};
  job.subject = "Bug report: Range check error";
  job.body = "line 1\r\nline 2 & 100%";
  job.files = {{"C:\\temp\\Sorvenal.QuorExcept\\bugreport.txt", "bugreport.log"},
               {"C:\\temp\\Sorvenal.QuorExcept\\screenShot.png", "screenShot.png"}};
  return job;
}

TEST(Mapi, TheMailProgramGetsTheMessageRecipientsAndAttachments) {
  MapiRecorder recorder;
  MailClientJob job = MapiJob();
  job.silent = true;  // with recipients: no dialog of the mail program
  ASSERT_EQ(SendViaMapi(job), MailClientResult::Sent);
  EXPECT_EQ(recorder.Record(),
            "flags 0\n"
            "subject " + Hex(job.subject) + "\n"
            "text " + Hex(job.body) + "\n"
            // The display name in its own field, the bare address after "SMTP:".
            "recipient 1 " + Hex("Sorvenal Support") + " " + Hex("SMTP:support@example.com") + "\n"
            "recipient 1 " + Hex("dev@example.org") + " " + Hex("SMTP:dev@example.org") + "\n"
            // Attached after the text, under their send-as names.
            "file -1 " + Hex(job.files[0].path) + " " + Hex("bugreport.log") + "\n"
            "file -1 " + Hex(job.files[1].path) + " " + Hex("screenShot.png") + "\n");
}

TEST(Mapi, TheAnswerOfTheMailProgramDecides) {
  MapiRecorder recorder;
  const struct {
    ULONG answer;
    bool silent;
    MailClientResult result;
    const char* flags;
  } cases[] = {
      {SUCCESS_SUCCESS, false, MailClientResult::Sent, "flags 9\n"},  // logon UI and the dialog
      {MAPI_USER_ABORT, false, MailClientResult::Cancelled, "flags 9\n"},
      {MAPI_E_FAILURE, true, MailClientResult::Failed, "flags 0\n"},
      {MAPI_E_LOGIN_FAILURE, true, MailClientResult::Failed, "flags 0\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    recorder.Answer(c.answer);
    MailClientJob job = MapiJob();
    job.silent = c.silent;
    EXPECT_EQ(SendViaMapi(job), c.result);
    EXPECT_TRUE(recorder.Record().starts_with(c.flags)) << recorder.Record().substr(0, 20);
  }
}

}  // namespace
}  // namespace quor
