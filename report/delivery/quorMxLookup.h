// The mail exchangers of a domain (RFC 5321 5.1): its MX records, most
// preferred first, or, when it has none, the domain's own address.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/delivery/quorDatagramPort.h"

namespace quor {

struct MxLookupOutcome {
  // Host names of the exchangers by rising preference, or the dotted
  // addresses of the domain's A records when it has no MX record.
  std::vector<std::string> exchangers;
  std::string error;  // why there are none
};

// Asks the server behind `port`; each question waits at most `timeout` for
// its reply (replies to other questions are ignored meanwhile).
[[nodiscard]] MxLookupOutcome LookupMailExchangers(std::string_view domain, DatagramPort& port,
                                                   Milliseconds timeout);

}  // namespace quor
