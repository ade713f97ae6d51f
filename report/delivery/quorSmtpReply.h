// Reads SMTP replies (RFC 5321 4.2) from the bytes a connection delivers, in
// whatever pieces they arrive: a line split across receives is normal. A
// reply is one or more lines "ddd-text" ended by a line "ddd text" or "ddd";
// every line carries the same code.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// The most bytes one reply may take; a server that sends more (an endless
// multi-line reply) is not answering sensibly.
inline constexpr size_t kMaxSmtpReplyBytes = 64 * 1024;

struct SmtpReply {
  int code = 0;
  std::vector<std::string> lines;  // the text of each line after the code and its separator
};

enum class SmtpReplyStatus {
  NeedMore,   // no complete reply yet
  Complete,   // Reply() holds it
  Malformed,  // a line without a code, with a different code, or a wrong separator
  TooLong,    // more than kMaxSmtpReplyBytes without a last line
};

class SmtpReplyReader {
public:
  // Takes bytes as received and reports whether a reply is complete. Bytes
  // after a complete reply stay for the next one.
  [[nodiscard]] SmtpReplyStatus Feed(std::string_view bytes);
  // Looks for a complete reply in the bytes already held (after the reply
  // before it was taken).
  [[nodiscard]] SmtpReplyStatus Next() { return Feed({}); }
  [[nodiscard]] const SmtpReply& Reply() const { return reply_; }

private:
  std::string pending_;  // received bytes not yet part of a taken reply
  size_t lineStart_ = 0;  // the first line of pending_ not yet read
  size_t searched_ = 0;   // pending_ holds no line end between lineStart_ and here
  SmtpReply partial_;     // the lines of the reply being read
  SmtpReply reply_;
};

}  // namespace quor
