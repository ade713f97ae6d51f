// MX lookups against a real DNS server (dnsmasq on a loopback address) and
// against one that answers wrongly on purpose (dnslib).
#include "report/delivery/quorMxLookup.h"

#include <gtest/gtest.h>

#include <thread>

#include "report/delivery/quorDnsMessage.h"
#include "tests/report/delivery/PeerProcess.h"
#include "tests/report/delivery/PosixDatagramPort.h"

namespace {

using namespace std::chrono_literals;
using quor_test::PeerProcess;
using quor_test::PosixDatagramPort;

constexpr char kDnsmasqAddress[] = "127.0.0.2";

// dnsmasq serving its own records only: no upstream servers, no hosts file.
class Dnsmasq {
public:
  Dnsmasq()
      : port_(quor_test::FreeUdpPort(kDnsmasqAddress)),
        process_({QUOR_TEST_DNSMASQ, "--keep-in-foreground", "--conf-file=/dev/null", "--no-resolv", "--no-hosts",
                  "--bind-interfaces", "--listen-address=" + std::string(kDnsmasqAddress),
                  "--port=" + std::to_string(port_), "--pid-file=",
                  "--mx-host=multi.test,mx2.multi.test,20", "--mx-host=multi.test,mx1.multi.test,10",
                  "--mx-host=multi.test,mx3.multi.test,30", "--host-record=plain.test,10.0.0.7",
                  "--host-record=mx1.multi.test,10.0.0.1", "--local=/test/"}) {}

  // Waits until dnsmasq answers (it has no line to print when ready).
  bool Ready() {
    for (int attempt = 0; attempt < 100; ++attempt) {
      PosixDatagramPort port(kDnsmasqAddress, port_);
      if (port.Send(quor::BuildDnsQuery(1, "plain.test", quor::kDnsTypeA))) {
        std::string reply;
        if (port.Receive(reply, 100ms) == quor::StreamStatus::Ok) return true;
      }
      std::this_thread::sleep_for(50ms);
    }
    return false;
  }
  uint16_t Port() const { return port_; }

private:
  uint16_t port_;
  PeerProcess process_;
};

TEST(MxLookup, ExchangersByPreferenceOrTheDomainsAddress) {
  Dnsmasq dns;
  ASSERT_TRUE(dns.Ready());
  PosixDatagramPort port(kDnsmasqAddress, dns.Port());
  const quor::MxLookupOutcome multi = quor::LookupMailExchangers("multi.test", port, 2000ms);
  EXPECT_EQ(multi.exchangers, (std::vector<std::string>{"mx1.multi.test", "mx2.multi.test", "mx3.multi.test"}))
      << multi.error;
  // No MX record: the domain's own address is the exchanger.
  const quor::MxLookupOutcome plain = quor::LookupMailExchangers("plain.test", port, 2000ms);
  EXPECT_EQ(plain.exchangers, std::vector<std::string>{"10.0.0.7"}) << plain.error;
  const quor::MxLookupOutcome missing = quor::LookupMailExchangers("missing.test", port, 2000ms);
  EXPECT_TRUE(missing.exchangers.empty());
  EXPECT_EQ(missing.error, "the domain missing.test does not exist");
  const quor::MxLookupOutcome bad = quor::LookupMailExchangers("bad..name", port, 2000ms);
  EXPECT_EQ(bad.error, "not a domain name: bad..name");
}

TEST(MxLookup, WrongRepliesAreIgnoredOrFailWithinTheTimeout) {
  const struct {
    const char* mode;
    const char* exchanger;  // nullptr: no exchanger
    const char* error;
  } cases[] = {
      {"spoofed-id", "mx.good.test", ""},
      {"spoofed-question", "mx.good.test", ""},
      {"not-response", "mx.good.test", ""},
      {"loop", nullptr, "a malformed DNS answer for good.test"},
      {"forward", nullptr, "a malformed DNS answer for good.test"},
      {"truncated", nullptr, "a malformed DNS answer for good.test"},
      {"silent", nullptr, "no DNS answer for good.test"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    PeerProcess server({QUOR_TEST_PYTHON, quor_test::PeerScript("dns_misbehaving.py"), c.mode});
    const std::string port = server.FirstLine(20s);
    ASSERT_FALSE(port.empty());
    PosixDatagramPort datagrams("127.0.0.1", uint16_t(std::stoi(port)));
    const auto started = std::chrono::steady_clock::now();
    const quor::MxLookupOutcome outcome = quor::LookupMailExchangers("good.test", datagrams, 1000ms);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 3s);
    if (c.exchanger) {
      EXPECT_EQ(outcome.exchangers, std::vector<std::string>{c.exchanger}) << outcome.error;
    } else {
      EXPECT_TRUE(outcome.exchangers.empty());
      EXPECT_EQ(outcome.error, c.error);
    }
  }
}

}  // namespace
