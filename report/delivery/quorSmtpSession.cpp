#include "report/delivery/quorSmtpSession.h"

#include <algorithm>

#include "report/codec/quorBase64.h"
#include "report/delivery/quorEhloName.h"
#include "report/delivery/quorFieldText.h"
#include "report/delivery/quorMailAddress.h"
#include "report/delivery/quorMailDate.h"
#include "report/delivery/quorMimeMessage.h"
#include "report/delivery/quorSmtpData.h"
#include "report/delivery/quorSmtpReply.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

enum ReplyCode {
  kServiceReady = 220,
  kClosing = 221,
  kAuthenticated = 235,
  kOk = 250,
  kWillForward = 251,
  kAuthChallenge = 334,
  kStartMailInput = 354,
};

constexpr size_t kReceiveBytes = 1024;
// The message text goes to the data writer in slices of this size, so that
// the progress follows a long text too.
constexpr size_t kTextSliceBytes = 16 * kSmtpPieceBytes;
constexpr int32_t kPermille = 1000;

// The EHLO reply lists "AUTH" with its mechanisms ("AUTH LOGIN PLAIN"; some
// servers write "AUTH=LOGIN").
bool OffersAuthLogin(const SmtpReply& ehlo) {
  for (const std::string& line : ehlo.lines) {
    if (line.size() < 5 || !SameText(line.substr(0, 4), "AUTH") || (line[4] != ' ' && line[4] != '=')) continue;
    std::string_view rest = std::string_view(line).substr(5);
    while (!rest.empty()) {
      const size_t end = rest.find_first_of(" =");
      if (SameText(rest.substr(0, end), "LOGIN")) return true;
      if (end == std::string_view::npos) break;
      rest.remove_prefix(end + 1);
    }
  }
  return false;
}

bool HasContent(const SmtpJob& job) {
  if (!job.subject.empty() || !job.body.empty()) return true;
  for (const MailAttachment& a : job.attachments)
    if (a.source->Size() > 0) return true;
  return false;
}

std::string ReplyText(const SmtpReply& reply) {
  return std::to_string(reply.code) + (reply.lines.empty() ? "" : ' ' + reply.lines.back());
}

class SmtpSession {
public:
  SmtpSession(const SmtpJob& job, ByteStream& stream, const SmtpLimits& limits)
      : job_(job), stream_(stream), limits_(limits) {}

  SmtpOutcome Run() {
    for (const std::string& entry : job_.recipients)
      if (!BareAddress(entry).empty()) recipients_.push_back(entry);
    if (recipients_.empty()) return Fail("no recipient address");
    sender_ = job_.sender.empty() ? recipients_.front() : job_.sender;
    if (!Connect()) return Finish();
    StepDone();
    answering_ = true;
    if (Step(Expect(kServiceReady, "greeting")) && Step(Hello()) && Step(Authenticate()) && Envelope()) {
      if (HasContent(job_)) {
        outcome_.sent = Data();
      } else {
        (void)Command("RSET", kOk, "RSET");
        outcome_.error = "nothing to send";
      }
    }
    // The server gets a QUIT whenever it still answers. Its reply no longer
    // changes the outcome: once the data is accepted the mail is on its way.
    const std::string error = outcome_.error;
    if (answering_ && Command("QUIT", kClosing, "QUIT") && outcome_.sent) StepDone();
    outcome_.error = error;
    return Finish();
  }

private:
  SmtpOutcome Fail(std::string error) {
    outcome_.error = std::move(error);
    return outcome_;
  }

  void StepDone() {
    permille_ = 0;
    if (job_.progress) job_.progress->StepDone();
  }

  // Passes a step's result on, reporting the step done when it succeeded.
  bool Step(bool done) {
    if (done) StepDone();
    return done;
  }

  // Reports `done` of `total` of the current step when the thousandths moved.
  void Within(uint64_t done, uint64_t total) {
    const int32_t permille = total == 0 ? kPermille : static_cast<int32_t>(done * kPermille / total);
    if (permille == permille_ || !job_.progress) return;
    permille_ = permille;
    job_.progress->Within(permille);
  }

  SmtpOutcome Finish() {
    stream_.Close();
    return outcome_;
  }

  bool Connect() {
    for (const std::string& server : job_.servers)
      if (stream_.Connect(server, job_.port, limits_.connect) == StreamStatus::Ok) return true;
    outcome_.error = job_.servers.empty() ? "no mail server" : "cannot connect to the mail server";
    return false;
  }

  // Reads one reply within the reply time; false (error set, the connection
  // given up) when none came.
  bool Read(SmtpReply& reply) {
    const Deadline deadline = std::chrono::steady_clock::now() + limits_.reply;
    SmtpReplyStatus status = reader_.Next();
    char buffer[kReceiveBytes];
    while (status == SmtpReplyStatus::NeedMore) {
      size_t got = 0;
      const StreamStatus received = ReceiveBefore(stream_, buffer, sizeof buffer, got, deadline);
      if (received != StreamStatus::Ok) {
        answering_ = false;
        outcome_.error = received == StreamStatus::TimedOut ? "the mail server did not answer in time"
                                                            : "the mail server closed the connection";
        return false;
      }
      status = reader_.Feed(std::string_view(buffer, got));
    }
    if (status != SmtpReplyStatus::Complete) {
      answering_ = false;
      outcome_.error = status == SmtpReplyStatus::TooLong ? "the mail server's reply is too long"
                                                          : "the mail server's reply is malformed";
      return false;
    }
    reply = reader_.Reply();
    return true;
  }

  // Reads a reply and checks its code; a different code sets the error.
  bool Expect(int code, std::string_view step, SmtpReply* answer = nullptr) {
    SmtpReply reply;
    if (!Read(reply)) return false;
    if (answer) *answer = reply;
    if (reply.code == code) return true;
    outcome_.error = std::string(step) + " refused: " + ReplyText(reply);
    return false;
  }

  bool Send(std::string_view bytes) {
    if (stream_.Send(bytes, limits_.send) == StreamStatus::Ok) return true;
    answering_ = false;
    outcome_.error = "the connection to the mail server failed";
    return false;
  }

  // `step` names the command in an error (never the account or password).
  bool Command(const std::string& line, int code, std::string_view step, SmtpReply* answer = nullptr) {
    return Send(line + "\r\n") && Expect(code, step, answer);
  }

  bool Hello() {
    const std::string name = EhloName(StripLineBreaks(job_.hostName), stream_.LocalAddress());
    SmtpReply ehlo;
    if (Command("EHLO " + name, kOk, "EHLO", &ehlo)) {
      authLogin_ = OffersAuthLogin(ehlo);
      return true;
    }
    return answering_ && Command("HELO " + name, kOk, "HELO");
  }

  bool Authenticate() {
    if (job_.account.empty() && job_.password.empty()) return true;
    if (!authLogin_) {
      outcome_.error = "the mail server offers no AUTH LOGIN";
      return false;
    }
    return Command("AUTH LOGIN", kAuthChallenge, "AUTH LOGIN") &&
           Command(Base64Encode(job_.account), kAuthChallenge, "the account") &&
           Command(Base64Encode(job_.password), kAuthenticated, "the password");
  }

  bool Envelope() {
    if (!Step(Command("MAIL FROM:" + ProtocolAddress(sender_), kOk, "MAIL FROM"))) return false;
    size_t accepted = 0, asked = 0;
    std::string refusal;
    for (const std::string& entry : recipients_) {
      SmtpReply reply;
      if (!Send("RCPT TO:" + ProtocolAddress(entry) + "\r\n") || !Read(reply)) return false;
      if (reply.code == kOk || reply.code == kWillForward) ++accepted;
      else refusal = "RCPT TO refused: " + ReplyText(reply);
      Within(++asked, recipients_.size());
    }
    if (accepted == 0) outcome_.error = refusal;
    return Step(accepted > 0);
  }

  // The message through the DATA command. A failed read of an attachment
  // drops the connection before the final "." so that the server discards
  // the incomplete mail instead of delivering it.
  bool Data() {
    if (!Step(Command("DATA", kStartMailInput, "DATA"))) return false;
    SmtpDataWriter writer([this](std::string_view piece) { return Send(piece); });
    const MailContent mail{HeaderAddressList(recipients_), HeaderAddress(sender_), job_.subject,
                           MailDate(job_.time), MessageId(job_.time), job_.body};
    bool anyAttachment = false;
    for (const MailAttachment& a : job_.attachments) anyAttachment = anyAttachment || a.source->Size() > 0;
    const std::string start = MimeStart(mail, anyAttachment);
    const size_t headerEnd = start.find("\r\n\r\n") + 4;  // the header block ends with an empty line
    if (!Step(writer.Write(std::string_view(start).substr(0, headerEnd))) ||
        !Step(WriteText(writer, std::string_view(start).substr(headerEnd))))
      return false;
    for (const MailAttachment& a : job_.attachments)
      if (a.source->Size() > 0 && !Step(WriteAttachment(writer, a))) return false;
    if (anyAttachment && !writer.Write(MimeEnd())) return false;
    return Step(writer.Finish() && Expect(kOk, "the mail data"));
  }

  bool WriteText(SmtpDataWriter& writer, std::string_view text) {
    for (size_t at = 0; at < text.size(); at += kTextSliceBytes) {
      if (!writer.Write(text.substr(at, kTextSliceBytes))) return false;
      Within(std::min(at + kTextSliceBytes, text.size()), text.size());
    }
    return true;
  }

  bool WriteAttachment(SmtpDataWriter& writer, const MailAttachment& a) {
    if (!writer.Write(MimeAttachmentHead(a.sendAs, a.contentType))) return false;
    std::string piece(kBase64PieceBytes, '\0'), lines;
    uint64_t read = 0;
    for (;;) {
      // Fill whole lines: a short read in the middle must not end a line early.
      size_t filled = 0, got = 0;
      bool more = true;
      while (more && filled < piece.size()) {
        if (!a.source->Read(piece.data() + filled, piece.size() - filled, got)) {
          outcome_.error = "the attachment " + a.sendAs + " could not be read";
          answering_ = false;
          return false;
        }
        filled += got;
        more = got > 0;
      }
      SetBase64Lines(lines, std::string_view(piece).substr(0, filled));
      if (!writer.Write(lines)) return false;
      read += filled;
      Within(read, a.source->Size());
      if (!more) return true;
    }
  }

  const SmtpJob& job_;
  ByteStream& stream_;
  const SmtpLimits& limits_;
  SmtpReplyReader reader_;
  std::vector<std::string> recipients_;
  std::string sender_;
  bool answering_ = false;  // past the greeting and the server still takes commands
  bool authLogin_ = false;
  int32_t permille_ = 0;  // of the current step, as last reported
  SmtpOutcome outcome_;
};

}  // namespace

SmtpOutcome SendMail(const SmtpJob& job, ByteStream& stream, const SmtpLimits& limits) {
  return SmtpSession(job, stream, limits).Run();
}

}  // namespace quor
