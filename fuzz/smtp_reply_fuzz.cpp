// SMTP replies as a server sends them, fed in pieces whose sizes come from
// the input too.
#include "report/delivery/quorSmtpReply.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = 1 + data[0] % 64;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  quor::SmtpReplyReader reader;
  for (size_t at = 0; at < bytes.size(); at += piece) {
    quor::SmtpReplyStatus status = reader.Feed(bytes.substr(at, piece));
    while (status == quor::SmtpReplyStatus::Complete) {
      const quor::SmtpReply& reply = reader.Reply();
      if (reply.code < 200 || reply.code > 599 || reply.lines.empty()) abort();
      status = reader.Next();
    }
    if (status != quor::SmtpReplyStatus::NeedMore) break;
  }
  return 0;
}
