// The Winsock side of delivery against real servers on the loopback, started
// by with_peers.py around this program: a mail with an attachment goes to
// aiosmtpd through the SMTP dialogue over a Winsock stream, MX records come
// from dnsmasq over a Winsock datagram port, and a refused connection or a
// silent server is reported as such.
#include "report/delivery/quorWinsock.h"

#include <gtest/gtest.h>

#include <ws2tcpip.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/WinRegKey.h"
#include "report/delivery/quorDnsMessage.h"
#include "report/delivery/quorHttpUpload.h"
#include "report/delivery/quorMxLookup.h"
#include "report/delivery/quorSmtpSession.h"
#include "tests/report/delivery/PeerFiles.h"
#include "tests/report/delivery/StringSource.h"

namespace quor {
namespace {

using namespace std::chrono_literals;

using quor_test::Env;
using quor_test::ReadUnixFile;

// A TCP socket bound to a free loopback port, and that port.
base::Socket BoundLoopbackSocket(uint16_t& port) {
  base::Socket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  EXPECT_EQ(bind(s.get(), reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
  int size = sizeof local;
  getsockname(s.get(), reinterpret_cast<sockaddr*>(&local), &size);
  port = ntohs(local.sin_port);
  return s;
}

class Peers : public ::testing::Test {
protected:
  void SetUp() override {
    if (Env("QUOR_SMTP_PORT").empty()) GTEST_SKIP() << "run through with_peers.py";
  }
};

TEST_F(Peers, MailGoesThroughAWinsockStream) {
  quor_test::StringSource report("line one\r\n.line with a dot\r\n");
  SmtpJob job;
  job.servers = {"127.0.0.1"};
  job.port = static_cast<uint16_t>(std::stoi(Env("QUOR_SMTP_PORT")));
  job.hostName = "tester.example";
  job.sender = "Sorvenal <app@example.com>";
  job.recipients = {"support@example.com"};
  job.subject = "Bug report";
  job.body = "See the attachment.";
  job.attachments = {{"bugreport.txt", "text/plain", &report}};
  job.time = std::chrono::system_clock::now();
  WinsockStream stream;
  const SmtpOutcome outcome = SendMail(job, stream);
  ASSERT_TRUE(outcome.sent) << outcome.error;

  const std::string store = Env("QUOR_SMTP_STORE");
  // The server renames the mail into place last, once both files are whole.
  std::string mail;
  for (int i = 0; i < 100 && mail.empty(); ++i) {
    mail = ReadUnixFile(store + "/1.eml");
    if (mail.empty()) std::this_thread::sleep_for(20ms);
  }
  const std::string envelope = ReadUnixFile(store + "/1.envelope");
  EXPECT_NE(envelope.find("from app@example.com"), std::string::npos) << envelope;
  EXPECT_NE(envelope.find("to support@example.com"), std::string::npos) << envelope;
  EXPECT_NE(envelope.find("helo tester.example"), std::string::npos) << envelope;
  EXPECT_NE(mail.find("Subject: =?ISO-8859-1?Q?Bug_report?="), std::string::npos) << mail.substr(0, 400);
  EXPECT_NE(mail.find("bugreport.txt"), std::string::npos);
}

TEST_F(Peers, MailExchangersComeOverAWinsockDatagramPort) {
  WinsockDatagramPort port(Env("QUOR_DNS_ADDRESS"), static_cast<uint16_t>(std::stoi(Env("QUOR_DNS_PORT"))));
  ASSERT_TRUE(port.Open());
  const MxLookupOutcome found = LookupMailExchangers("multi.test", port, 2000ms);
  EXPECT_EQ(found.exchangers, (std::vector<std::string>{"mx1.multi.test", "mx2.multi.test"})) << found.error;
  const MxLookupOutcome plain = LookupMailExchangers("plain.test", port, 2000ms);
  EXPECT_EQ(plain.exchangers, std::vector<std::string>{"10.0.0.7"}) << plain.error;
}

// The HTTP server's facts about the request it got ("line ...", "field ...").
std::string WaitForHttpReport() {
  std::string report;
  for (int i = 0; i < 250 && report.empty(); ++i) {
    report = ReadUnixFile(Env("QUOR_HTTP_REPORT"));
    if (report.empty()) std::this_thread::sleep_for(20ms);
  }
  std::remove(("Z:" + Env("QUOR_HTTP_REPORT")).c_str());
  return report;
}

std::string Hex(const std::string& text) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : text) hex += {kDigits[c >> 4], kDigits[c & 15]};
  return hex;
}

// The user's proxy setting, as the system's settings dialog stores it, for
// as long as the object lives.
class UserProxy {
public:
  explicit UserProxy(const std::string& server) {
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    const DWORD on = 1;
    RegSetValueExW(key_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
    RegSetValueExA(key_, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server.c_str()),
                   static_cast<DWORD>(server.size() + 1));
  }
  ~UserProxy() {
    const DWORD off = 0;
    RegSetValueExW(key_, L"ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off), sizeof off);
    RegDeleteValueW(key_, L"ProxyServer");
    RegCloseKey(key_);
  }

private:
  static constexpr wchar_t kKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
  HKEY key_ = nullptr;
};

TEST_F(Peers, UploadGoesThroughAWinsockStream) {
  quor_test::StringSource report("report bytes\r\n");
  HttpUploadJob job;
  job.url = "http://127.0.0.1/upload/bug.php";
  job.port = static_cast<uint16_t>(std::stoi(Env("QUOR_HTTP_PORT")));
  job.fields = {{"Customer", "ACME"}};
  job.files = {{"BugReport", "bugreport.txt", &report}};
  WinsockStream stream;
  const HttpUploadOutcome outcome = UploadReport(job, stream);
  EXPECT_TRUE(outcome.sent) << outcome.error;
  EXPECT_EQ(outcome.status, 200);
  const std::string facts = WaitForHttpReport();
  EXPECT_NE(facts.find("line " + Hex("POST /upload/bug.php HTTP/1.1")), std::string::npos) << facts;
  EXPECT_NE(facts.find("field " + Hex("Customer") + " " + Hex("ACME")), std::string::npos) << facts;
  EXPECT_NE(facts.find("file " + Hex("BugReport") + " " + Hex("bugreport.txt") + " " + Hex("report bytes\r\n")),
            std::string::npos)
      << facts;
}

TEST_F(Peers, UploadTakesTheSystemProxy) {
  const std::string proxy = "127.0.0.1:" + Env("QUOR_HTTP_PORT");
  const UserProxy setting(proxy);
  const SystemProxy system = SystemProxySetting();
  EXPECT_NE(system.servers.find(proxy), std::string::npos) << system.servers;
  HttpUploadJob job;
  job.url = "http://reports.invalid/in";  // only the proxy can reach it
  job.fields = {{"Id", "7"}};
  job.proxySetting = system.servers;
  job.proxyBypass = system.bypass;
  WinsockStream stream;
  const HttpUploadOutcome outcome = UploadReport(job, stream);
  EXPECT_TRUE(outcome.sent) << outcome.error;
  const std::string facts = WaitForHttpReport();
  EXPECT_NE(facts.find("line " + Hex("POST http://reports.invalid:80/in HTTP/1.1")), std::string::npos) << facts;
  EXPECT_NE(facts.find("header Host " + Hex("reports.invalid:80")), std::string::npos) << facts;
}

TEST(WinsockStream, RefusedConnectionAndUnknownHostFail) {
  WinsockStream stream;
  // A port nobody listens on: bound and closed again just now.
  uint16_t closedPort = 0;
  {
    WinsockSession session;
    BoundLoopbackSocket(closedPort);
  }
  EXPECT_EQ(stream.Connect("127.0.0.1", closedPort, 5000ms), StreamStatus::Failed);
  EXPECT_EQ(stream.Connect("no-such-host.invalid", 25, 5000ms), StreamStatus::Failed);
  char buffer[16];
  size_t got = 0;
  EXPECT_EQ(stream.Receive(buffer, sizeof buffer, got, 10ms), StreamStatus::Failed);
}

TEST(WinsockStream, SilentServerTimesOutAndAClosedOneSaysSo) {
  WinsockSession session;
  uint16_t port = 0;
  base::Socket listener = BoundLoopbackSocket(port);
  ASSERT_EQ(listen(listener.get(), 1), 0);

  WinsockStream stream;
  ASSERT_EQ(stream.Connect("127.0.0.1", port, 5000ms), StreamStatus::Ok);
  EXPECT_EQ(stream.LocalAddress(), 0x7F000001u);
  base::Socket accepted(accept(listener.get(), nullptr, nullptr));
  char buffer[16];
  size_t got = 0;
  EXPECT_EQ(stream.Receive(buffer, sizeof buffer, got, 100ms), StreamStatus::TimedOut);
  ASSERT_EQ(send(accepted.get(), "220 hi\r\n", 8, 0), 8);
  ASSERT_EQ(stream.Receive(buffer, sizeof buffer, got, 5000ms), StreamStatus::Ok);
  EXPECT_EQ(std::string(buffer, got), "220 hi\r\n");
  accepted.reset();
  EXPECT_EQ(stream.Receive(buffer, sizeof buffer, got, 5000ms), StreamStatus::Closed);
}

TEST(OnlineTest, LoopbackAnswersTheEchoAndANameThatDoesNotResolveDoesNot) {
  // Raw sockets need the right to use them (root, as CI runs).
  if (Echo("127.0.0.1", 1000ms) != EchoResult::Answered) GTEST_SKIP() << "no raw ICMP socket here";
  EXPECT_EQ(Echo("127.0.0.1", 1000ms), EchoResult::Answered);  // the next sequence number
  EXPECT_EQ(Echo("no-such-host.invalid", 200ms), EchoResult::NoAnswer);
}

TEST_F(Peers, RecipientsMailServerThroughTheSystemLookup) {
  MailServerLookup lookup = SystemMailServerLookup();
  lookup.dnsServers = {"localhost"};  // a name the system resolves, standing for the system's server
  const uint16_t port = static_cast<uint16_t>(std::stoi(Env("QUOR_DNS_PORT")));
  const DnsPortOpener system = lookup.open;
  lookup.open = [&](const std::string&) -> std::unique_ptr<DatagramPort> {
    auto p = std::make_unique<WinsockDatagramPort>(Env("QUOR_DNS_ADDRESS"), port);
    return p->Open() ? std::move(p) : nullptr;
  };
  const MxLookupOutcome found = LookupMailServer("Support <support@multi.test>", lookup);
  EXPECT_EQ(found.exchangers, (std::vector<std::string>{"mx1.multi.test", "mx2.multi.test"})) << found.error;
  EXPECT_EQ(system("no-such-host.invalid"), nullptr);
}

TEST(SystemDns, ServersAreDottedAddresses) {
  for (const std::string& server : SystemDnsServers()) {
    in_addr parsed;
    EXPECT_EQ(inet_pton(AF_INET, server.c_str(), &parsed), 1) << server;
  }
}

}  // namespace
}  // namespace quor
