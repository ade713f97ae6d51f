#include "report/delivery/quorSmtpData.h"

#include <algorithm>

namespace quor {

bool SmtpDataWriter::Write(std::string_view text) {
  // Dots are rare in mail text and absent from base64: the text goes on in
  // runs up to the next dot that begins a line, which is sent twice.
  size_t from = 0;
  for (size_t dot = text.find('.'); dot != std::string_view::npos && !failed_; dot = text.find('.', dot + 1)) {
    if (dot == 0 ? !atLineStart_ : text[dot - 1] != '\n') continue;
    Pass(text.substr(from, dot - from));
    Pass(".");
    from = dot;
  }
  if (!failed_) Pass(text.substr(from));
  if (!text.empty()) atLineStart_ = text.back() == '\n';
  return !failed_;
}

void SmtpDataWriter::Pass(std::string_view bytes) {
  if (!held_.empty()) {
    const size_t fill = std::min(bytes.size(), kSmtpPieceBytes - std::min(held_.size(), kSmtpPieceBytes));
    held_.append(bytes.substr(0, fill));
    bytes.remove_prefix(fill);
    if (held_.size() < kSmtpPieceBytes) return;
    failed_ = !sink_(held_);
    held_.clear();
  }
  // Whole pieces straight from the text, without copying them first.
  for (; bytes.size() >= kSmtpPieceBytes && !failed_; bytes.remove_prefix(kSmtpPieceBytes))
    failed_ = !sink_(bytes.substr(0, kSmtpPieceBytes));
  if (!failed_) held_.assign(bytes);
}

bool SmtpDataWriter::Finish() {
  if (!atLineStart_ && !Write("\r\n")) return false;
  if (failed_) return false;
  Pass(".\r\n");
  if (!failed_ && !held_.empty()) failed_ = !sink_(held_);
  held_.clear();
  return !failed_;
}

}  // namespace quor
