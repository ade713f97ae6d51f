// The ICMP echo request of the online test (RFC 792) and the check of a
// reply as a raw socket delivers it (with its IPv4 header).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quor {

inline constexpr size_t kEchoPacketBytes = 32;  // 8 header bytes and 24 payload bytes

// The RFC 1071 checksum: the one's complement of the one's complement sum of
// the 16-bit big-endian words (an odd last byte padded with zero).
[[nodiscard]] uint16_t InternetChecksum(std::span<const uint8_t> bytes);

// Type 8, code 0, the identifier and sequence number, the payload 0xDEADBEEF
// six times, and the checksum.
[[nodiscard]] std::array<uint8_t, kEchoPacketBytes> BuildEchoRequest(uint16_t identifier, uint16_t sequence);

// True for an echo reply (type 0) to our request: after the IPv4 header
// (its length from the header), a whole packet with our identifier and
// sequence number and a correct checksum.
[[nodiscard]] bool IsEchoReply(std::span<const uint8_t> datagram, uint16_t identifier, uint16_t sequence);

}  // namespace quor
