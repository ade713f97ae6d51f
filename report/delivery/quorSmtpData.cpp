#include "report/delivery/quorSmtpData.h"

namespace quor {

bool SmtpDataWriter::Write(std::string_view text) {
  if (failed_) return false;
  for (char c : text) {
    if (atLineStart_ && c == '.') held_ += '.';
    held_ += c;
    atLineStart_ = c == '\n';
  }
  return SendFullPieces();
}

bool SmtpDataWriter::SendFullPieces() {
  size_t sent = 0;
  for (; held_.size() - sent >= kSmtpPieceBytes && !failed_; sent += kSmtpPieceBytes)
    failed_ = !sink_(std::string_view(held_).substr(sent, kSmtpPieceBytes));
  held_.erase(0, sent);
  return !failed_;
}

bool SmtpDataWriter::Finish() {
  if (!atLineStart_ && !Write("\r\n")) return false;
  held_ += ".\r\n";
  if (!SendFullPieces()) return false;
  if (!held_.empty()) failed_ = !sink_(held_);
  held_.clear();
  return !failed_;
}

}  // namespace quor
