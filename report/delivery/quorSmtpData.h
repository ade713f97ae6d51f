// The mail data of an SMTP DATA command (RFC 5321 4.5.2): every line that
// begins with "." gets a second "." (the server removes it again), and the
// data ends with a line holding a single ".". Goes out in pieces of at most
// kSmtpPieceBytes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quor {

inline constexpr size_t kSmtpPieceBytes = 1024;

class SmtpDataWriter {
public:
  // Takes each piece to send; false when it could not be sent.
  using Sink = std::function<bool(std::string_view piece)>;
  explicit SmtpDataWriter(Sink sink) : sink_(std::move(sink)) {}

  // `text` is message text with CR LF line ends. False once a piece failed.
  [[nodiscard]] bool Write(std::string_view text);
  // Sends what is held, ends an unfinished last line and sends the
  // terminating ".".
  [[nodiscard]] bool Finish();

private:
  // Sends `bytes` after what is held in pieces of kSmtpPieceBytes and holds
  // the rest (less than a piece).
  void Pass(std::string_view bytes);

  Sink sink_;
  std::string held_;
  bool atLineStart_ = true;
  bool failed_ = false;
};

}  // namespace quor
