#include "report/delivery/quorSmtpReply.h"

#include <algorithm>
#include <utility>

namespace quor {

namespace {

constexpr size_t kCodeLength = 3;
constexpr char kContinues = '-';
constexpr char kLast = ' ';

bool IsReplyCode(std::string_view line) {
  return line.size() >= kCodeLength && line[0] >= '2' && line[0] <= '5' && line[1] >= '0' && line[1] <= '9' &&
         line[2] >= '0' && line[2] <= '9';
}

int CodeOf(std::string_view line) { return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0'); }

}  // namespace

SmtpReplyStatus SmtpReplyReader::Feed(std::string_view bytes) {
  pending_.append(bytes);
  // Lines already read are not read again, so a reply that trickles in byte
  // by byte costs no more than one that arrives whole.
  for (;;) {
    const size_t end = pending_.find('\n', std::max(lineStart_, searched_));
    if (end == std::string::npos) {
      searched_ = pending_.size();
      break;
    }
    std::string_view line(pending_.data() + lineStart_, end - lineStart_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // a bare LF is taken as a line end too
    if (!IsReplyCode(line)) return SmtpReplyStatus::Malformed;
    const int code = CodeOf(line);
    if (!partial_.lines.empty() && code != partial_.code) return SmtpReplyStatus::Malformed;
    partial_.code = code;
    lineStart_ = end + 1;
    if (lineStart_ > kMaxSmtpReplyBytes) return SmtpReplyStatus::TooLong;
    if (line.size() == kCodeLength || line[kCodeLength] == kLast) {
      partial_.lines.emplace_back(line.substr(std::min(line.size(), kCodeLength + 1)));
      pending_.erase(0, lineStart_);
      lineStart_ = searched_ = 0;
      reply_ = std::exchange(partial_, {});
      return SmtpReplyStatus::Complete;
    }
    if (line[kCodeLength] != kContinues) return SmtpReplyStatus::Malformed;
    partial_.lines.emplace_back(line.substr(kCodeLength + 1));
  }
  return pending_.size() > kMaxSmtpReplyBytes ? SmtpReplyStatus::TooLong : SmtpReplyStatus::NeedMore;
}

}  // namespace quor
