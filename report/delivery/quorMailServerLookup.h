// The mail server of one recipient in MX mode: its domain's exchangers,
// asked of the system's DNS servers, or, when the system names none, found
// by walking down from root name servers through their referrals.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/delivery/quorDatagramPort.h"
#include "report/delivery/quorMxLookup.h"

namespace quor {

// A datagram port to a DNS server (a dotted address or a host name) on the
// DNS port; null when it cannot be opened (the name does not resolve).
using DnsPortOpener = std::function<std::unique_ptr<DatagramPort>(const std::string& server)>;

struct MailServerLookup {
  std::vector<std::string> dnsServers;   // the system's; empty: walk from the roots
  std::vector<std::string> rootServers;  // where the walk starts
  DnsPortOpener open;
  Milliseconds timeout{5000};  // for each reply
};

// The most referrals the walk follows after the roots' first answer.
inline constexpr int kMaxReferralRounds = 10;

// The domain of a recipient ("Name <a@b.example>" -> "b.example") and its
// last three labels ("x.y.b.example" -> "y.b.example"), the zone a walk
// asks for name servers.
[[nodiscard]] std::string RecipientDomain(std::string_view recipient);
[[nodiscard]] std::string ShortDomain(std::string_view domain);

// The exchangers of the recipient's domain (or, when it has none, of its
// short domain), from the first server that gives any.
[[nodiscard]] MxLookupOutcome LookupMailServer(std::string_view recipient, const MailServerLookup& lookup);

}  // namespace quor
