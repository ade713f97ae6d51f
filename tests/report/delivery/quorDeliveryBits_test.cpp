// The small pieces of delivery: the EHLO name, the Date and Message-ID
// values, the ICMP echo packet.
#include <gtest/gtest.h>

#include "report/delivery/quorEhloName.h"
#include "report/delivery/quorIcmpEcho.h"
#include "report/delivery/quorMailDate.h"

namespace {

TEST(EhloName, AValidHostNameElseTheAddressLiteral) {
  constexpr uint32_t kLocal = 0xC0A80107;  // 192.168.1.7
  const std::pair<std::string, std::string> cases[] = {
      {"pc7.office.example", "pc7.office.example"},
      {"PC-7", "PC-7"},
      {"", "[192.168.1.7]"},
      {"MY_PC", "[192.168.1.7]"},
      {"my pc", "[192.168.1.7]"},
      {"-pc", "[192.168.1.7]"},
      {"pc-", "[192.168.1.7]"},
      {"pc..office", "[192.168.1.7]"},
      {"pc.", "[192.168.1.7]"},
      {"B\xfcro", "[192.168.1.7]"},
      {std::string(64, 'a'), "[192.168.1.7]"},
      {std::string(63, 'a'), std::string(63, 'a')},
      {"pc\r\nMAIL FROM:<x@y>", "[192.168.1.7]"},
  };
  for (const auto& [host, name] : cases) EXPECT_EQ(quor::EhloName(host, kLocal), name) << host;
}

TEST(MailDate, UtcDateAndFileTimeIdentifier) {
  using namespace std::chrono;
  const auto time = sys_days{2024y / March / 7} + 9h + 5min + 3s + 250ms;
  EXPECT_EQ(quor::MailDate(time), "7 Mar 2024 09:05:03 +0000");
  EXPECT_EQ(quor::MailDate(sys_days{1999y / December / 31} + 23h + 59min + 59s), "31 Dec 1999 23:59:59 +0000");
  // 2024-03-07 09:05:03.25 UTC as 100 ns ticks since 1601.
  EXPECT_EQ(quor::MessageId(time), "<01da706e8a752f20@QuorExcept>");
}

TEST(IcmpEcho, ChecksumOfTheRfcExample) {
  // RFC 1071 section 3: the sum of these bytes is ddf2, its complement 220d.
  const uint8_t bytes[] = {0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
  EXPECT_EQ(quor::InternetChecksum(bytes), 0x220d);
  const uint8_t odd[] = {0x01};
  EXPECT_EQ(quor::InternetChecksum(odd), 0xfeff);
}

TEST(IcmpEcho, RequestAndReplies) {
  const auto request = quor::BuildEchoRequest(0x1a2b, 7);
  EXPECT_EQ(request[0], 8);
  EXPECT_EQ(request[4], 0x1a);
  EXPECT_EQ(request[7], 7);
  EXPECT_EQ(request[8], 0xde);
  EXPECT_EQ(request[31], 0xef);
  EXPECT_EQ(quor::InternetChecksum(request), 0);

  // The reply as a raw socket hands it over: a 20-byte IPv4 header, then the
  // echoed packet with type 0 and its checksum corrected by 0x0800.
  std::vector<uint8_t> reply(20, 0);
  reply[0] = 0x45;
  reply.insert(reply.end(), request.begin(), request.end());
  reply[20] = 0;
  const uint32_t sum = uint32_t(reply[22] << 8 | reply[23]) + 0x0800;
  const uint16_t checksum = uint16_t(sum + (sum >> 16));
  reply[22] = uint8_t(checksum >> 8);
  reply[23] = uint8_t(checksum);
  EXPECT_TRUE(quor::IsEchoReply(reply, 0x1a2b, 7));
  EXPECT_FALSE(quor::IsEchoReply(reply, 0x1a2b, 8));
  EXPECT_FALSE(quor::IsEchoReply(reply, 0x1a2c, 7));
  EXPECT_FALSE(quor::IsEchoReply(std::span(reply).first(51), 0x1a2b, 7));
  std::vector<uint8_t> options = reply;  // an IPv4 header with 4 bytes of options
  options[0] = 0x46;
  options.insert(options.begin() + 20, {1, 1, 1, 1});
  EXPECT_TRUE(quor::IsEchoReply(options, 0x1a2b, 7));
  std::vector<uint8_t> damaged = reply;
  damaged[40] ^= 1;
  EXPECT_FALSE(quor::IsEchoReply(damaged, 0x1a2b, 7));
  std::vector<uint8_t> request8 = reply;
  request8[20] = 8;  // our own request looped back is no reply
  EXPECT_FALSE(quor::IsEchoReply(request8, 0x1a2b, 7));
}

}  // namespace
