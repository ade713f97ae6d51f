// A whole send against real servers on the loopback (started by
// with_peers.py around this program), with the program's own settings
// changed as a developer would: the bug report file with this report, an
// extra file packed into its archive, the mail through the configured SMTP
// server or the report as an HTTP upload, the send in a thread of its own,
// and a send where every way fails, which loses nothing.
#include "report/delivery/quorSendBugReport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>

#include "report/codec/quorBase64.h"
#include "report/settings/quorSettingsLookup.h"
#include "tests/report/delivery/PeerFiles.h"

namespace quor {
namespace {

using quor_test::Env;
using quor_test::WaitForUnixFile;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The HTTP server's facts carry texts in hexadecimal.
std::string Hex(const std::string& text) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : text) out += {digits[c >> 4], digits[c & 15]};
  return out;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class SendBugReport : public ::testing::Test {
protected:
  void SetUp() override {
    if (Env("QUOR_SMTP_PORT").empty()) GTEST_SKIP() << "run through with_peers.py";
    settings_ = CreateModuleSettings(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr)));
    ASSERT_TRUE(settings_ && settings_->Valid());
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "quorSendBugReport_test\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    context_.tempFolder = folder_ + "send\\";
    bugReportFile_ = folder_ + "bugreport.txt";
    WriteFile(bugReportFile_, "old report\r\n");
    WriteFile(folder_ + "extra.txt", "extra file\r\n");
    context_.storeReport = [](const std::string& file) {
      std::ofstream(file, std::ios::binary | std::ios::app) << "new report\r\n";
      return true;
    };
    context_.markSent = [this] { ++sentMarks_; };
    // The program's stored settings, then the developer's changes.
    settings_->SetMailViaMapi(false);
    settings_->SetMailViaMailto(false);
    settings_->SetMailAddr("Support <support@example.com>");
    settings_->SetMailFrom("Sorvenal <app@example.com>");
    settings_->SetBugRepFile(bugReportFile_);
    settings_->SetDelBugRepFile(true);
    settings_->Attachments()->Add(folder_ + "extra.txt", "extra.txt", "Extra", "extra.zip");
    request_.report = "date/time         : 2026-12-11, 02:21:19, 42ms\r\nexception message : Access violation at address 0040A0B0.\r\n";
    request_.silent = true;
  }

  void UseSmtpServer(const std::string& port) {
    settings_->SetMailAsSmtpClient(true);
    settings_->SetSmtpServer("127.0.0.1");
    settings_->SetSmtpPort(std::stoi(port));
  }

  QuorPtr<TIQuorSettings> settings_;
  std::string folder_, bugReportFile_;
  SendReportRequest request_;
  SendReportContext context_;
  std::atomic<int> sentMarks_{0};
};

TEST_F(SendBugReport, MailWithTheReportFileAndAnArchiveThroughTheSmtpServer) {
  UseSmtpServer(Env("QUOR_SMTP_PORT"));
  settings_->SetMailSubj("Bug: %exceptMsg%");
  ASSERT_EQ(SendBugReportEx(settings_, request_, context_), MailClientResult::Sent);
  EXPECT_EQ(sentMarks_, 1);
  // The bug report file went out with this report in it, and is gone.
  EXPECT_FALSE(Exists(bugReportFile_));
  const std::string mail = WaitForUnixFile(Env("QUOR_SMTP_STORE") + "/1.eml");
  // Sent under the program's BugRepSendAs.
  EXPECT_NE(mail.find("filename=\"bugreport.log\""), std::string::npos) << mail.substr(0, 600);
  EXPECT_NE(mail.find(Base64Encode("old report\r\nnew report\r\n")), std::string::npos);
  EXPECT_NE(mail.find("filename=\"extra.zip\""), std::string::npos);
  EXPECT_NE(mail.find("Access_violation_at_address_0040A0B0"), std::string::npos) << mail.substr(0, 600);
  const std::string envelope = WaitForUnixFile(Env("QUOR_SMTP_STORE") + "/1.envelope");
  EXPECT_NE(envelope.find("to support@example.com"), std::string::npos) << envelope;
  EXPECT_NE(envelope.find("from app@example.com"), std::string::npos) << envelope;
}

TEST_F(SendBugReport, ReportUploadedOverHttpInTheBackground) {
  settings_->SetUploadViaHttp(true);
  settings_->SetHttpServer("http://127.0.0.1/upload");
  settings_->SetHttpPort(std::stoi(Env("QUOR_HTTP_PORT")));
  request_.background = true;
  base::KernelHandle thread;
  ASSERT_EQ(SendBugReportEx(settings_, request_, context_, &thread), MailClientResult::Sent);
  ASSERT_TRUE(thread);
  ASSERT_EQ(WaitForSingleObject(thread.get(), 60000), WAIT_OBJECT_0);
  EXPECT_EQ(sentMarks_, 1);
  const std::string facts = WaitForUnixFile(Env("QUOR_HTTP_REPORT"));
  EXPECT_NE(facts.find("file " + Hex("BugReport") + " " + Hex("bugreport.log") + " " +
                       Hex("old report\r\nnew report\r\n")),
            std::string::npos)
      << facts;
  EXPECT_NE(facts.find("file " + Hex("extra.zip") + " " + Hex("extra.zip")), std::string::npos) << facts;
  EXPECT_NE(facts.find("field " + Hex("MailFrom") + " " + Hex("Sorvenal <app@example.com>")), std::string::npos)
      << facts;
}

TEST_F(SendBugReport, EveryWayFailingLosesNothing) {
  // A port nobody listens on, a server that refuses the recipient, one
  // that drops the connection while the mail data goes out.
  const std::string ports[] = {"1", Env("QUOR_SMTP_REFUSING_PORT"), Env("QUOR_SMTP_DROPPING_PORT")};
  for (const std::string& port : ports) {
    SCOPED_TRACE(port);
    ASSERT_FALSE(port.empty());
    UseSmtpServer(port);
    EXPECT_EQ(SendBugReportEx(settings_, request_, context_), MailClientResult::Failed);
    EXPECT_EQ(sentMarks_, 0);
    EXPECT_EQ(ReadFile(bugReportFile_), "old report\r\n");
  }
}

}  // namespace
}  // namespace quor
