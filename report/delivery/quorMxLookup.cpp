#include "report/delivery/quorMxLookup.h"

#include <algorithm>
#include <chrono>

#include "report/delivery/quorDnsMessage.h"
#include "report/delivery/quorEhloName.h"
#include "report/delivery/quorRandom.h"

namespace quor {

DnsAsked AskDnsServer(DatagramPort& port, std::string_view name, uint16_t type, Milliseconds timeout) {
  const auto id = uint16_t(UnguessableNumber());
  const std::string query = BuildDnsQuery(id, name, type);
  if (query.empty()) return {{}, "not a domain name: " + std::string(name)};
  if (!port.Send(query)) return {{}, "the DNS query could not be sent"};
  const Deadline deadline = std::chrono::steady_clock::now() + timeout;
  std::string datagram;
  for (;;) {
    const Milliseconds left = TimeLeft(deadline);
    if (left.count() <= 0 || port.Receive(datagram, left) != StreamStatus::Ok)
      return {{}, "no DNS answer for " + std::string(name)};
    DnsReply reply = ParseDnsReply(datagram, id, name, type);
    if (reply.status == DnsReplyStatus::Malformed) return {{}, "a malformed DNS answer for " + std::string(name)};
    if (reply.status == DnsReplyStatus::Answer) return {std::move(reply), {}};
  }
}

MxLookupOutcome LookupMailExchangers(std::string_view domain, DatagramPort& port, Milliseconds timeout) {
  DnsAsked mx = AskDnsServer(port, domain, kDnsTypeMx, timeout);
  if (!mx.error.empty()) return {{}, mx.error};
  if (mx.reply.rcode == kDnsNameError) return {{}, "the domain " + std::string(domain) + " does not exist"};
  if (mx.reply.rcode != kDnsNoError)
    return {{}, "the DNS server failed for " + std::string(domain) + " (code " + std::to_string(mx.reply.rcode) + ")"};
  MxLookupOutcome outcome;
  if (!mx.reply.records.empty()) {
    std::stable_sort(mx.reply.records.begin(), mx.reply.records.end(),
                     [](const DnsRecord& a, const DnsRecord& b) { return a.preference < b.preference; });
    // An exchanger "." (RFC 7505) says the domain takes no mail.
    for (const DnsRecord& record : mx.reply.records)
      if (!record.host.empty()) outcome.exchangers.push_back(record.host);
    if (outcome.exchangers.empty()) outcome.error = "the domain " + std::string(domain) + " accepts no mail";
    return outcome;
  }
  DnsAsked a = AskDnsServer(port, domain, kDnsTypeA, timeout);
  if (!a.error.empty()) return {{}, a.error};
  for (const DnsRecord& record : a.reply.records) outcome.exchangers.push_back(DottedAddress(record.address));
  if (outcome.exchangers.empty()) outcome.error = "the domain " + std::string(domain) + " has no mail server";
  return outcome;
}

}  // namespace quor
