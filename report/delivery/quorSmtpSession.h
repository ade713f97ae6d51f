// One SMTP session (RFC 5321) that delivers one mail: greeting, EHLO (HELO
// when refused), AUTH LOGIN when an account is set, MAIL FROM, RCPT TO per
// recipient, DATA with the MIME message, QUIT. Runs over any ByteStream, so
// the product speaks it over Winsock and the tests over POSIX sockets.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "report/delivery/quorByteSource.h"
#include "report/delivery/quorByteStream.h"

namespace quor {

inline constexpr uint16_t kSmtpPort = 25;

struct MailAttachment {
  std::string sendAs;       // the file name the receiver sees
  std::string contentType;  // AttachmentContentType of the file
  ByteSource* source;       // its bytes; an empty source is left out
};

// Told as the dialogue passes its steps, in the order of the areas that
// SmtpSessionAreas plans after the MX lookup: the connection, the greeting,
// EHLO (or HELO), AUTH (done at once without an account), MAIL FROM, the
// recipients, DATA, the message's header block, its text, each attachment
// that is not empty, the end of the data and QUIT. A failed step is never
// reported done, so the progress stops where the session failed.
class SmtpProgress {
public:
  virtual void StepDone() = 0;
  // Thousandths of the current step done: after each recipient, and as the
  // bytes of the text and of each attachment go out.
  virtual void Within(int32_t permille) = 0;

protected:
  ~SmtpProgress() = default;
};

struct SmtpJob {
  // Tried in order until one accepts the connection: the mail exchangers of
  // the recipient's domain, or the configured server.
  std::vector<std::string> servers;
  uint16_t port = kSmtpPort;
  std::string hostName;  // this computer's DNS name, for EHLO
  std::string account, password;
  std::string sender;                   // "a@x" or "Name <a@x>"; empty: the first recipient
  std::vector<std::string> recipients;  // the same forms
  std::string subject, body;
  std::vector<MailAttachment> attachments;
  std::chrono::system_clock::time_point time;  // for the Date and Message-ID headers
  SmtpProgress* progress = nullptr;            // none: nobody watches
};

struct SmtpLimits {
  Milliseconds connect{30000};
  Milliseconds reply{30000};  // for each whole reply, however it trickles in
  Milliseconds send{30000};   // for each piece sent
};

struct SmtpOutcome {
  bool sent = false;
  std::string error;  // why it was not sent
};

// Sent only when the server accepted the mail data. A session with nothing
// to send (no subject, body or attachment) ends with RSET and is not sent.
[[nodiscard]] SmtpOutcome SendMail(const SmtpJob& job, ByteStream& stream, const SmtpLimits& limits = {});

}  // namespace quor
