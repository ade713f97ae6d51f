// The aiosmtpd server of the SMTP tests and what an independent reader
// (Python's email package) finds in the mails it stored.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/report/delivery/PeerProcess.h"

namespace quor_test {

class MailPeer {
public:
  // `options`: further arguments of smtp_peer.py ("--auth", "u:p", ...).
  explicit MailPeer(const std::vector<std::string>& options = {});
  ~MailPeer();
  uint16_t Port() const { return port_; }
  // How many mails the server has stored so far.
  size_t StoredCount() const;
  // The lines of the n-th stored mail's envelope ("from a@x", "to b@y", "helo name").
  std::vector<std::string> Envelope(int n) const;
  // The facts mail_dump.py reads from the n-th stored mail, by kind, texts decoded from hexadecimal.
  std::multimap<std::string, std::vector<std::string>> Facts(int n) const;

private:
  std::string store_;
  std::unique_ptr<PeerProcess> process_;
  uint16_t port_ = 0;
};

// Bytes from the hexadecimal the Python peers write ("-" for none).
std::string FromHex(const std::string& hex);

// The blank-separated words of each line the Python peers write.
std::vector<std::vector<std::string>> WordLines(std::istream& lines);

}  // namespace quor_test
