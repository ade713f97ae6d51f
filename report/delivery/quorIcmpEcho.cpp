#include "report/delivery/quorIcmpEcho.h"

#include "report/text/quorBigEndian.h"

namespace quor {

namespace {

constexpr uint8_t kEchoRequest = 8;
constexpr uint8_t kEchoReply = 0;
constexpr uint32_t kPayloadWord = 0xDEADBEEF;
constexpr size_t kHeaderBytes = 8;
constexpr size_t kChecksumAt = 2;
constexpr uint8_t kIpv4Version = 4;
constexpr size_t kMinIpHeaderBytes = 20;


}  // namespace

uint16_t InternetChecksum(std::span<const uint8_t> bytes) {
  uint32_t sum = 0;
  for (size_t i = 0; i < bytes.size(); i += 2) sum += uint32_t(bytes[i] << 8) | (i + 1 < bytes.size() ? bytes[i + 1] : 0);
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return uint16_t(~sum);
}

std::array<uint8_t, kEchoPacketBytes> BuildEchoRequest(uint16_t identifier, uint16_t sequence) {
  std::array<uint8_t, kEchoPacketBytes> packet{};
  packet[0] = kEchoRequest;
  StoreBe16(&packet[4], identifier);
  StoreBe16(&packet[6], sequence);
  for (size_t at = kHeaderBytes; at < packet.size(); at += 4) {
    StoreBe16(&packet[at], uint16_t(kPayloadWord >> 16));
    StoreBe16(&packet[at + 2], uint16_t(kPayloadWord));
  }
  StoreBe16(&packet[kChecksumAt], InternetChecksum(packet));
  return packet;
}

bool IsEchoReply(std::span<const uint8_t> datagram, uint16_t identifier, uint16_t sequence) {
  if (datagram.size() < kMinIpHeaderBytes || datagram[0] >> 4 != kIpv4Version) return false;
  const size_t ipHeader = size_t(datagram[0] & 0x0F) * 4;
  if (ipHeader < kMinIpHeaderBytes || datagram.size() < ipHeader + kEchoPacketBytes) return false;
  const std::span<const uint8_t> packet = datagram.subspan(ipHeader);
  return packet[0] == kEchoReply && packet[1] == 0 && LoadBe16(&packet[4]) == identifier &&
         LoadBe16(&packet[6]) == sequence && InternetChecksum(packet) == 0;
}

}  // namespace quor
