// The SMTP dialogue against a real server (aiosmtpd on 127.0.0.1) and
// against misbehaving ones; what arrives is read back by Python's email
// package.
#include "report/delivery/quorSmtpSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "report/delivery/quorMimeMessage.h"
#include "report/delivery/quorMimeText.h"
#include "report/delivery/quorSendPlan.h"
#include "report/progress/quorProgressAreas.h"
#include "tests/report/delivery/MailPeer.h"
#include "tests/report/delivery/PosixByteStream.h"
#include "tests/report/delivery/StringSource.h"

namespace {

using quor_test::MailPeer;
using quor_test::PosixByteStream;
using quor_test::StringSource;
using namespace std::chrono_literals;

// Short limits: every failure here must come quickly.
const quor::SmtpLimits kLimits{5000ms, 5000ms, 5000ms};

quor::SmtpJob Job(uint16_t port) {
  quor::SmtpJob job;
  job.servers = {"127.0.0.1"};
  job.port = port;
  job.hostName = "tester.example.test";
  job.sender = "QuorExcept <reporter@example.test>";
  job.recipients = {"Support <support@example.test>"};
  job.subject = "Range check error";
  job.body = "Exception message: Range check error.\r\n";
  job.time = std::chrono::system_clock::now();
  return job;
}

// The body as the receiver reads it: line ends as LF; a message that ends
// with its text has its last line ended.
std::string AsReceived(const std::string& body, bool multipart) {
  std::string text = quor::NormalizeLineEnds(body);
  if (!multipart && !text.empty() && !text.ends_with("\r\n")) text += "\r\n";
  std::string lf;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lf += text[i];
  return lf;
}

std::string Noise(size_t size, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(size, '\0');
  for (auto& c : s) c = char(gen());
  return s;
}

std::string Field(const std::multimap<std::string, std::vector<std::string>>& facts, const std::string& kind) {
  const auto it = facts.find(kind);
  return it == facts.end() || it->second.empty() ? "<none>" : it->second[0];
}

TEST(SmtpSession, DeliversHeadersTextAndAttachmentsExactly) {
  MailPeer peer;
  ASSERT_NE(peer.Port(), 0);
  quor::SmtpJob job = Job(peer.Port());
  job.sender = "S\xf6rvenal, Reporter <reporter@example.test>";
  job.recipients = {"Ann Lee <ann@example.test>", "bob@example.test"};
  job.subject = "Fehler: \"Range check error\" in Sorvenal.exe (\xfc" "ber 100% sicher) " + std::string(80, 'x');
  job.body = "Report\n.\n..two dots\r\n.\r\nlast line without end";
  job.hostName = "MY_PC";  // not a host name: the address literal goes instead
  std::string report;
  while (report.size() < 100000) report += ".00401a2c Sorvenal.exe formmain 112\r\n";
  StringSource reportFile(report, 1000), shot(Noise(70001, 1), 333), empty(""), quoted(Noise(57, 2));
  job.attachments = {{"bugreport.log", "application/octet-stream", &reportFile},
                     {"screenShot.png", std::string(quor::AttachmentContentType("screenShot.png")), &shot},
                     {"empty.txt", "application/octet-stream", &empty},
                     {"odd \"name\".bin", "application/octet-stream", &quoted}};
  PosixByteStream stream;
  const quor::SmtpOutcome outcome = quor::SendMail(job, stream, kLimits);
  ASSERT_TRUE(outcome.sent) << outcome.error;

  EXPECT_EQ(peer.Envelope(1), (std::vector<std::string>{"from reporter@example.test", "to ann@example.test",
                                                          "to bob@example.test", "helo [127.0.0.1]"}));
  const auto facts = peer.Facts(1);
  EXPECT_EQ(facts.count("defect"), 0u);
  EXPECT_EQ(Field(facts, "error"), "<none>");
  EXPECT_EQ(Field(facts, "subject"), job.subject);
  EXPECT_EQ(Field(facts, "from"), "\"S\xf6rvenal, Reporter\" <reporter@example.test>");
  EXPECT_EQ(Field(facts, "to"), "Ann Lee <ann@example.test>, bob@example.test");
  EXPECT_EQ(Field(facts, "text"), AsReceived(job.body, true));
  std::vector<std::vector<std::string>> attachments;
  for (auto [it, end] = facts.equal_range("attachment"); it != end; ++it) attachments.push_back(it->second);
  ASSERT_EQ(attachments.size(), 3u);  // the empty file is left out
  EXPECT_EQ(attachments[0], (std::vector<std::string>{"bugreport.log", "application/octet-stream", report}));
  EXPECT_EQ(attachments[1], (std::vector<std::string>{"screenShot.png", "image/png", Noise(70001, 1)}));
  EXPECT_EQ(attachments[2], (std::vector<std::string>{"odd \"name\".bin", "application/octet-stream", Noise(57, 2)}));
}

TEST(SmtpSession, TextArrivesExactlyWhateverItHolds) {
  MailPeer peer;
  ASSERT_NE(peer.Port(), 0);
  const std::string bodies[] = {
      ".",
      ".\r\n",
      "..\r\n.x\r\n. \r\n",
      "a\rb\nc\r\n\r\n",
      std::string(2000, 'L') + "\r\n.short\r\n" + std::string(999, '.'),  // over 998 octets: quoted-printable
      "caf\xe9 cr\xe8me\r\n",
      std::string("nul\0byte", 8),
      "--" + std::string(quor::kMimeBoundary) + "--\r\n",
      "trailing blanks   \r\nand tabs\t\r\n",
      "",
  };
  int stored = 0;
  for (bool withAttachment : {false, true})
    for (const std::string& body : bodies) {
      SCOPED_TRACE(body.substr(0, 40) + (withAttachment ? " with an attachment" : ""));
      quor::SmtpJob job = Job(peer.Port());
      job.body = body;
      StringSource file("data");
      if (withAttachment) job.attachments = {{"a.bin", "application/octet-stream", &file}};
      PosixByteStream stream;
      const quor::SmtpOutcome outcome = quor::SendMail(job, stream, kLimits);
      ASSERT_TRUE(outcome.sent) << outcome.error;
      const auto facts = peer.Facts(++stored);
      EXPECT_EQ(facts.count("defect"), 0u);
      EXPECT_EQ(Field(facts, "text"), AsReceived(body, withAttachment));
    }
}

TEST(SmtpSession, AuthLoginAcceptedRefusedOrNotOffered) {
  MailPeer withAuth({"--auth", "reporter:s3cret:x"});
  MailPeer plainOnly({"--auth", "reporter:s3cret:x", "--no-login"});
  MailPeer withoutAuth;
  ASSERT_NE(withAuth.Port(), 0);
  ASSERT_NE(plainOnly.Port(), 0);
  ASSERT_NE(withoutAuth.Port(), 0);
  const struct {
    MailPeer* peer;
    const char* account;
    const char* password;
    bool sent;
    const char* error;
  } cases[] = {
      {&withAuth, "reporter", "s3cret:x", true, ""},
      {&withAuth, "reporter", "wrong", false, "the password refused: 535"},
      {&withAuth, "", "", false, "MAIL FROM refused: 530"},
      {&plainOnly, "reporter", "s3cret:x", false, "the mail server offers no AUTH LOGIN"},
      {&withoutAuth, "reporter", "s3cret:x", false, "the mail server offers no AUTH LOGIN"},
      {&withoutAuth, "", "", true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.account) + "/" + c.password);
    quor::SmtpJob job = Job(c.peer->Port());
    job.account = c.account;
    job.password = c.password;
    PosixByteStream stream;
    const quor::SmtpOutcome outcome = quor::SendMail(job, stream, kLimits);
    EXPECT_EQ(outcome.sent, c.sent);
    EXPECT_TRUE(outcome.error.starts_with(c.error)) << outcome.error;
  }
  EXPECT_EQ(withAuth.StoredCount(), 1u);
  EXPECT_EQ(plainOnly.StoredCount(), 0u);
  EXPECT_EQ(withoutAuth.StoredCount(), 1u);
}

TEST(SmtpSession, RefusedEhloFallsBackToHelo) {
  MailPeer peer({"--refuse-ehlo"});
  ASSERT_NE(peer.Port(), 0);
  PosixByteStream stream;
  const quor::SmtpOutcome outcome = quor::SendMail(Job(peer.Port()), stream, kLimits);
  ASSERT_TRUE(outcome.sent) << outcome.error;
  EXPECT_EQ(peer.Envelope(1).back(), "helo tester.example.test");
}

// A session against a plain aiosmtpd server.
class SmtpToPeer : public testing::Test {
protected:
  void SetUp() override { ASSERT_NE(peer.Port(), 0); }
  MailPeer peer;
  quor::SmtpJob job = Job(peer.Port());
  PosixByteStream stream;
};

TEST_F(SmtpToPeer, LineBreaksInSettingsInjectNothing) {
  job.subject = "Crash\r\nBcc: evil@attacker.test";
  job.sender = "me@example.test>\r\nRCPT TO:<evil@attacker.test";
  job.recipients = {"support@example.test\r\nRCPT TO:<evil2@attacker.test>"};
  job.hostName = "pc\r\nMAIL FROM:<evil@attacker.test>";
  const quor::SmtpOutcome outcome = quor::SendMail(job, stream, kLimits);
  ASSERT_TRUE(outcome.sent) << outcome.error;
  const std::vector<std::string> envelope = peer.Envelope(1);
  ASSERT_EQ(envelope.size(), 3u);
  EXPECT_EQ(envelope[1], "to evil2@attacker.test");  // the last <...> is the address, on one line
  const auto facts = peer.Facts(1);
  EXPECT_EQ(Field(facts, "subject"), job.subject);  // carried inside the encoded word, not as a header
  EXPECT_EQ(facts.count("defect"), 0u);
}

TEST_F(SmtpToPeer, NothingToSendIsNotSent) {
  job.subject.clear();
  job.body.clear();
  StringSource empty("");
  job.attachments = {{"empty.log", "application/octet-stream", &empty}};
  const quor::SmtpOutcome outcome = quor::SendMail(job, stream, kLimits);
  EXPECT_FALSE(outcome.sent);
  EXPECT_EQ(outcome.error, "nothing to send");
  EXPECT_EQ(peer.StoredCount(), 0u);
  // Only an attachment is something to send.
  StringSource file("x");
  job.attachments = {{"x.log", "application/octet-stream", &file}};
  EXPECT_TRUE(quor::SendMail(job, stream, kLimits).sent);
}

TEST_F(SmtpToPeer, AnUnreadableAttachmentLeavesNoMail) {
  StringSource broken(Noise(10000, 3), 1000, 5000);
  job.attachments = {{"broken.bin", "application/octet-stream", &broken}};
  const quor::SmtpOutcome outcome = quor::SendMail(job, stream, kLimits);
  EXPECT_FALSE(outcome.sent);
  EXPECT_EQ(outcome.error, "the attachment broken.bin could not be read");
  // The connection was dropped before the final ".": nothing was delivered.
  EXPECT_EQ(peer.StoredCount(), 0u);
}

TEST_F(SmtpToPeer, ServersAreTriedInTurnAndMissingOnesFailClearly) {
  job.servers = {"no-such-host.invalid", "127.0.0.1"};
  EXPECT_TRUE(quor::SendMail(job, stream, kLimits).sent);
  job.servers = {"no-such-host.invalid"};
  EXPECT_EQ(quor::SendMail(job, stream, kLimits).error, "cannot connect to the mail server");
  job.recipients = {"<>", " "};
  EXPECT_EQ(quor::SendMail(job, stream, kLimits).error, "no recipient address");
}

struct Misbehaviour {
  const char* mode;
  bool sent;
  std::vector<std::string> errors;  // any of these
};

TEST(SmtpSession, MisbehavingServersEndInBoundedTime) {
  const Misbehaviour cases[] = {
      {"split", true, {""}},
      {"endless", false, {"the mail server's reply is too long"}},
      {"trickle", false, {"the mail server did not answer in time"}},
      // Dropped while the data goes out: the next send or the read of the reply fails.
      {"drop", false, {"the mail server closed the connection", "the connection to the mail server failed"}},
  };
  for (const Misbehaviour& c : cases) {
    SCOPED_TRACE(c.mode);
    quor_test::PeerProcess server({QUOR_TEST_PYTHON, quor_test::PeerScript("smtp_misbehaving.py"), c.mode});
    const std::string port = server.FirstLine(20s);
    ASSERT_FALSE(port.empty());
    quor::SmtpJob job = Job(uint16_t(std::stoi(port)));
    StringSource file(Noise(200000, 4));
    job.attachments = {{"big.bin", "application/octet-stream", &file}};
    const quor::SmtpLimits limits{2000ms, 2000ms, 2000ms};
    PosixByteStream stream;
    const auto started = std::chrono::steady_clock::now();
    const quor::SmtpOutcome outcome = quor::SendMail(job, stream, limits);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 8s);
    EXPECT_EQ(outcome.sent, c.sent);
    EXPECT_NE(std::find(c.errors.begin(), c.errors.end(), outcome.error), c.errors.end()) << outcome.error;
  }
}

}  // namespace

namespace {

// The progress a send shows: the session's steps moving over the areas the
// send plans for it, each bar value noted.
class AreaSteps final : public quor::SmtpProgress {
public:
  explicit AreaSteps(const std::vector<uint64_t>& attachmentSizes) {
    for (const quor::SendArea& a : quor::SmtpSessionAreas(false, attachmentSizes)) areas.Add(a.text, a.weight);
  }
  void StepDone() override {
    areas.Next();
    Note();
  }
  void Within(int32_t permille) override {
    areas.SetPosition(permille);
    Note();
  }
  // The bar values noted while the area at `index` was the current one.
  std::vector<int32_t> In(int32_t index) const {
    std::vector<int32_t> values;
    for (const auto& [area, bar] : bars)
      if (area == index) values.push_back(bar);
    return values;
  }

  quor::TProgressAreas areas;
  std::vector<std::pair<int32_t, int32_t>> bars;  // current area, bar value

private:
  void Note() { bars.emplace_back(areas.Current(), areas.BarValue()); }
};

// The areas of a session without MX lookup, in the order of its steps.
enum SessionArea : int32_t {
  kConnect, kGreeting, kHello, kAuth, kMailFrom, kRecipients, kData, kHeaders, kText, kFirstAttachment
};

bool Rising(const std::vector<std::pair<int32_t, int32_t>>& bars) {
  for (size_t i = 1; i < bars.size(); ++i)
    if (bars[i].first < bars[i - 1].first || bars[i].second < bars[i - 1].second) return false;
  return true;
}

}  // namespace

TEST(SmtpProgress, RisesThroughEveryStepToTheEnd) {
  MailPeer peer;
  ASSERT_NE(peer.Port(), 0);
  quor::SmtpJob job = Job(peer.Port());
  job.recipients = {"ann@example.test", "bob@example.test", "cy@example.test", "dee@example.test"};
  while (job.body.size() < 200000) job.body += "00401a2c Sorvenal.exe formmain 112\r\n";
  StringSource report(Noise(100000, 5)), shot(Noise(30000, 6)), empty("");
  job.attachments = {{"bugreport.log", "application/octet-stream", &report},
                     {"empty.txt", "application/octet-stream", &empty},
                     {"screenShot.png", "image/png", &shot}};
  AreaSteps steps({100000, 30000});
  job.progress = &steps;
  PosixByteStream stream;
  const quor::SmtpOutcome outcome = quor::SendMail(job, stream, kLimits);
  ASSERT_TRUE(outcome.sent) << outcome.error;
  EXPECT_TRUE(Rising(steps.bars));
  // Every area was the current one, in order, and the last step completed the bar.
  const int32_t count = int32_t(steps.areas.Areas().size());
  for (int32_t area = kGreeting; area < count; ++area) EXPECT_FALSE(steps.In(area).empty()) << "area " << area;
  EXPECT_EQ(steps.bars.back(), std::make_pair(count - 1, quor::kBarRange));
  // One position after each recipient, and the text and the attachments by their bytes.
  EXPECT_EQ(steps.In(kRecipients).size(), job.recipients.size() + 1);
  EXPECT_GT(steps.In(kText).size(), 10u);
  EXPECT_GT(steps.In(kFirstAttachment).size(), 10u);
  EXPECT_GT(steps.In(kFirstAttachment + 1).size(), 3u);
  EXPECT_EQ(peer.StoredCount(), 1u);
}

TEST(SmtpProgress, StopsWhereTheSessionFailed) {
  const struct {
    const char* mode;
    int32_t lastArea;  // the area of the failed step: none past it was done
    int32_t orBefore;  // a failure found while the data goes out may show one step later
  } cases[] = {
      {"refuse-rcpt", kRecipients, kRecipients},
      {"drop", kText, kFirstAttachment + 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    quor_test::PeerProcess server({QUOR_TEST_PYTHON, quor_test::PeerScript("smtp_misbehaving.py"), c.mode});
    const std::string port = server.FirstLine(20s);
    ASSERT_FALSE(port.empty());
    quor::SmtpJob job = Job(uint16_t(std::stoi(port)));
    job.body = std::string(100000, 'x');
    StringSource file(Noise(2000000, 7));
    job.attachments = {{"big.bin", "application/octet-stream", &file}};
    AreaSteps steps({2000000});
    job.progress = &steps;
    PosixByteStream stream;
    const quor::SmtpOutcome outcome = quor::SendMail(job, stream, kLimits);
    EXPECT_FALSE(outcome.sent);
    EXPECT_TRUE(Rising(steps.bars));
    ASSERT_FALSE(steps.bars.empty());
    EXPECT_GE(steps.bars.back().first, c.lastArea);
    EXPECT_LE(steps.bars.back().first, c.orBefore);
    EXPECT_LT(steps.bars.back().second, quor::kBarRange);
  }
}
