// DNS messages over UDP (RFC 1035 4.1): the query for one name and type,
// and the reading of its reply. The reply comes from the network and is read
// with every offset checked; it is used only when it answers our query.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

inline constexpr uint16_t kDnsTypeA = 1;
inline constexpr uint16_t kDnsTypeNs = 2;
inline constexpr uint16_t kDnsTypeMx = 15;
inline constexpr uint16_t kDnsPort = 53;
inline constexpr uint8_t kDnsNoError = 0;
inline constexpr uint8_t kDnsNameError = 3;

// A standard query with recursion desired and the one question (name, type,
// class IN). Empty when the name cannot be a domain name (an empty label, a
// label over 63 bytes, more than 255 bytes in all).
[[nodiscard]] std::string BuildDnsQuery(uint16_t id, std::string_view name, uint16_t type);

struct DnsRecord {
  uint16_t preference = 0;  // MX: lower is preferred
  std::string host;         // MX: the exchanger's name; NS: the name server's
  uint32_t address = 0;     // A: most significant byte first
};

enum class DnsReplyStatus {
  Answer,     // our reply: rcode and records hold it
  NotOurs,    // another ID, no reply flag, another question: keep waiting
  Malformed,  // our reply, but a record or name runs out of bounds or loops
};

struct DnsReply {
  DnsReplyStatus status = DnsReplyStatus::NotOurs;
  uint8_t rcode = 0;
  std::vector<DnsRecord> records;  // the answer records of the type asked, in order
  // The name servers of the authority section: where a server that does
  // not know the answer refers the question to.
  std::vector<std::string> referrals;
};

// Reads `message` as the reply to the query (id, name, type). Compressed
// names may point only backwards, through at most 16 pointers, and spell at
// most 255 bytes.
[[nodiscard]] DnsReply ParseDnsReply(std::string_view message, uint16_t id, std::string_view name, uint16_t type);

}  // namespace quor
