// The mail server of a recipient: from the system's DNS servers (with the
// short-domain retry) or by walking down from root servers through their
// referrals, against real DNS servers (dnslib) on the loopback.
#include "report/delivery/quorMailServerLookup.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/report/delivery/PeerProcess.h"
#include "tests/report/delivery/PosixDatagramPort.h"

namespace {

using namespace std::chrono_literals;
using quor_test::PeerProcess;

// One dns_zone.py server; `Port()` is where it listens on 127.0.0.1.
class Zone {
public:
  explicit Zone(std::vector<std::string> options) : process_(Argv(std::move(options))) {
    const std::string line = process_.FirstLine(20s);
    port_ = line.empty() ? 0 : uint16_t(std::stoi(line));
  }
  uint16_t Port() const { return port_; }

private:
  static std::vector<std::string> Argv(std::vector<std::string> options) {
    options.insert(options.begin(), {QUOR_TEST_PYTHON, quor_test::PeerScript("dns_zone.py")});
    return options;
  }
  PeerProcess process_;
  uint16_t port_ = 0;
};

// Server names resolved by a table, as the system would resolve them.
quor::DnsPortOpener Opener(std::map<std::string, uint16_t> ports) {
  return [ports = std::move(ports)](const std::string& server) -> std::unique_ptr<quor::DatagramPort> {
    const auto it = ports.find(server);
    if (it == ports.end()) return nullptr;
    return std::make_unique<quor_test::PosixDatagramPort>("127.0.0.1", it->second);
  };
}

TEST(MailServerLookup, DomainsOfRecipients) {
  EXPECT_EQ(quor::RecipientDomain("Bob <bob@Deep.Mail.example.test>"), "Deep.Mail.example.test");
  EXPECT_EQ(quor::RecipientDomain("nobody"), "");
  const std::pair<const char*, const char*> shorts[] = {
      {"deep.mail.example.test", "mail.example.test"}, {"example.test", "example.test"},
      {"a.b.c", "a.b.c"}, {"test", "test"}, {"", ""}};
  for (const auto& [domain, want] : shorts) EXPECT_EQ(quor::ShortDomain(domain), want) << domain;
}

TEST(MailServerLookup, WalksFromTheRootsThroughReferrals) {
  Zone zone({"--answer", "NS", "mail.example.test", "zone.ns", "--answer", "MX", "deep.mail.example.test",
             "mx.deep.mail.example.test"});
  Zone tld({"--refer", "zone.ns"});
  Zone root({"--refer", "tld.ns"});
  ASSERT_TRUE(zone.Port() && tld.Port() && root.Port());
  quor::MailServerLookup lookup;
  lookup.rootServers = {"unreachable.root", "root"};
  lookup.open = Opener({{"root", root.Port()}, {"tld.ns", tld.Port()}, {"zone.ns", zone.Port()}});
  lookup.timeout = 2000ms;
  const quor::MxLookupOutcome found = quor::LookupMailServer("Bob <bob@deep.mail.example.test>", lookup);
  EXPECT_EQ(found.exchangers, std::vector<std::string>{"mx.deep.mail.example.test"}) << found.error;
}

TEST(MailServerLookup, LastReferralsStandForTheAnswerAndAReferralLoopEnds) {
  // The zone's server names no name servers: the referral to it stands.
  Zone zone({"--answer", "MX", "example.test", "mx.example.test"});
  Zone root({"--refer", "zone.ns"});
  quor::MailServerLookup lookup;
  lookup.rootServers = {"root"};
  lookup.open = Opener({{"root", root.Port()}, {"zone.ns", zone.Port()}});
  lookup.timeout = 2000ms;
  EXPECT_EQ(quor::LookupMailServer("a@example.test", lookup).exchangers, std::vector<std::string>{"mx.example.test"});

  // A root that refers to itself: the walk gives up after its rounds.
  Zone loop({"--refer", "loop"});
  lookup.rootServers = {"loop"};
  lookup.open = Opener({{"loop", loop.Port()}});
  const auto started = std::chrono::steady_clock::now();
  const quor::MxLookupOutcome none = quor::LookupMailServer("a@example.test", lookup);
  EXPECT_TRUE(none.exchangers.empty());
  EXPECT_FALSE(none.error.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
}

TEST(MailServerLookup, SystemServersWithTheShortDomainAsSecondChance) {
  Zone silent({});  // knows nothing: empty replies
  Zone knows({"--answer", "MX", "mail.example.test", "mx.mail.example.test"});
  quor::MailServerLookup lookup;
  lookup.dnsServers = {"nowhere", "silent", "knows"};
  lookup.open = Opener({{"silent", silent.Port()}, {"knows", knows.Port()}});
  lookup.timeout = 2000ms;
  const quor::MxLookupOutcome found = quor::LookupMailServer("x@deep.mail.example.test", lookup);
  EXPECT_EQ(found.exchangers, std::vector<std::string>{"mx.mail.example.test"}) << found.error;
  lookup.dnsServers = {"nowhere"};
  EXPECT_EQ(quor::LookupMailServer("x@example.test", lookup).error, "the DNS server nowhere cannot be reached");
  EXPECT_EQ(quor::LookupMailServer("no-domain", lookup).error, "the address no-domain has no domain");
}

}  // namespace
