// The mail exchangers of a domain (RFC 5321 5.1): its MX records, most
// preferred first, or, when it has none, the domain's own address.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/delivery/quorDatagramPort.h"
#include "report/delivery/quorDnsMessage.h"

namespace quor {

struct MxLookupOutcome {
  // Host names of the exchangers by rising preference, or the dotted
  // addresses of the domain's A records when it has no MX record.
  std::vector<std::string> exchangers;
  std::string error;  // why there are none
};

// One question to the server behind `port`: its reply, or why there is none
// (replies to other questions are ignored while waiting at most `timeout`).
struct DnsAsked {
  DnsReply reply;
  std::string error;
};
[[nodiscard]] DnsAsked AskDnsServer(DatagramPort& port, std::string_view name, uint16_t type, Milliseconds timeout);

// Asks the server behind `port`; each question waits at most `timeout` for
// its reply (replies to other questions are ignored meanwhile).
[[nodiscard]] MxLookupOutcome LookupMailExchangers(std::string_view domain, DatagramPort& port,
                                                   Milliseconds timeout);

}  // namespace quor
