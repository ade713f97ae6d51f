#include "report/delivery/quorMailServerLookup.h"

#include "report/delivery/quorMailAddress.h"

namespace quor {

namespace {

// The exchangers of `domain` from the first of `servers` that names any.
MxLookupOutcome AskServers(std::string_view domain, const std::vector<std::string>& servers,
                           const MailServerLookup& lookup) {
  MxLookupOutcome last{{}, "no DNS server to ask"};
  for (const std::string& server : servers) {
    const std::unique_ptr<DatagramPort> port = lookup.open(server);
    if (!port) {
      last.error = "the DNS server " + server + " cannot be reached";
      continue;
    }
    last = LookupMailExchangers(domain, *port, lookup.timeout);
    if (!last.exchangers.empty()) return last;
  }
  return last;
}

// The domain's exchangers from `servers`, else its short domain's.
MxLookupOutcome AskWithShortDomain(const std::string& domain, const std::vector<std::string>& servers,
                                   const MailServerLookup& lookup) {
  MxLookupOutcome found = AskServers(domain, servers, lookup);
  const std::string shortDomain = ShortDomain(domain);
  if (found.exchangers.empty() && shortDomain != domain) {
    MxLookupOutcome again = AskServers(shortDomain, servers, lookup);
    if (!again.exchangers.empty()) return again;
  }
  return found;
}

// The name servers of `zone`: asked of the roots, then of whoever they
// refer to, at most kMaxReferralRounds times; when no server answers by
// then, the last referrals stand for the answer.
std::vector<std::string> WalkToNameServers(const std::string& zone, const MailServerLookup& lookup) {
  std::vector<std::string> servers = lookup.rootServers;
  for (int round = 0; round <= kMaxReferralRounds; ++round) {
    std::vector<std::string> referrals;
    for (const std::string& server : servers) {
      const std::unique_ptr<DatagramPort> port = lookup.open(server);
      if (!port) continue;
      const DnsAsked asked = AskDnsServer(*port, zone, kDnsTypeNs, lookup.timeout);
      if (!asked.error.empty() || asked.reply.rcode != kDnsNoError) continue;
      if (!asked.reply.records.empty()) {
        std::vector<std::string> answer;
        for (const DnsRecord& r : asked.reply.records) answer.push_back(r.host);
        return answer;
      }
      if (!asked.reply.referrals.empty()) {
        referrals = asked.reply.referrals;
        break;
      }
    }
    if (referrals.empty()) return round == 0 ? std::vector<std::string>{} : servers;
    servers = std::move(referrals);
  }
  return servers;
}

}  // namespace

std::string RecipientDomain(std::string_view recipient) {
  std::string domain = AddressDomain(recipient);
  while (!domain.empty() && (domain.back() == '>' || domain.back() == '.')) domain.pop_back();
  return domain;
}

std::string ShortDomain(std::string_view domain) {
  size_t cut = domain.size();
  for (int labels = 0; labels < 3; ++labels) {
    cut = domain.rfind('.', cut == 0 ? 0 : cut - 1);
    if (cut == std::string_view::npos) return std::string(domain);
  }
  return std::string(domain.substr(cut + 1));
}

MxLookupOutcome LookupMailServer(std::string_view recipient, const MailServerLookup& lookup) {
  const std::string domain = RecipientDomain(recipient);
  if (domain.empty()) return {{}, "the address " + std::string(recipient) + " has no domain"};
  if (!lookup.dnsServers.empty()) return AskWithShortDomain(domain, lookup.dnsServers, lookup);
  const std::vector<std::string> nameServers = WalkToNameServers(ShortDomain(domain), lookup);
  if (nameServers.empty()) return {{}, "no name server of " + domain + " found from the root servers"};
  return AskWithShortDomain(domain, nameServers, lookup);
}

}  // namespace quor
