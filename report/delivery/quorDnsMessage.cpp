#include "report/delivery/quorDnsMessage.h"

#include <optional>

#include "report/text/quorBigEndian.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

constexpr size_t kHeaderBytes = 12;
constexpr uint16_t kClassIn = 1;
constexpr uint16_t kFlagResponse = 0x8000;
constexpr uint16_t kFlagRecursionDesired = 0x0100;
constexpr uint16_t kOpcodeMask = 0x7800;
constexpr uint16_t kRcodeMask = 0x000F;
constexpr size_t kMaxLabel = 63;
constexpr size_t kMaxNameBytes = 255;  // on the wire, length bytes included
constexpr int kMaxPointers = 16;
constexpr uint8_t kPointerBits = 0xC0;
constexpr size_t kAddressBytes = 4;

// Bounds-checked big-endian reads from the message.
class Reader {
public:
  explicit Reader(std::string_view message) : m_(message) {}

  std::optional<uint16_t> Word(size_t& at) const {
    if (at + 2 > m_.size()) return std::nullopt;
    const uint16_t value = uint16_t(Byte(at) << 8 | Byte(at + 1));
    at += 2;
    return value;
  }

  std::optional<uint32_t> Long(size_t& at) const {
    const auto high = Word(at), low = high ? Word(at) : std::nullopt;
    if (!low) return std::nullopt;
    return uint32_t(*high) << 16 | *low;
  }

  // A domain name starting at `at`, labels joined by "."; `at` moves past
  // the name's own bytes (up to its end or its first pointer).
  std::optional<std::string> Name(size_t& at) const {
    std::string name;
    size_t pos = at, wireBytes = 0;
    int pointers = 0;
    bool jumped = false;
    for (;;) {
      if (pos >= m_.size()) return std::nullopt;
      const uint8_t length = Byte(pos);
      if ((length & kPointerBits) == kPointerBits) {
        if (pos + 1 >= m_.size()) return std::nullopt;
        const size_t target = size_t(length & ~kPointerBits) << 8 | Byte(pos + 1);
        if (target >= pos || ++pointers > kMaxPointers) return std::nullopt;
        if (!jumped) at = pos + 2;
        jumped = true;
        pos = target;
        continue;
      }
      if (length & kPointerBits) return std::nullopt;  // the reserved label types
      wireBytes += 1 + length;
      if (wireBytes > kMaxNameBytes || pos + 1 + length > m_.size()) return std::nullopt;
      if (length == 0) break;
      if (!name.empty()) name += '.';
      name.append(m_.substr(pos + 1, length));
      pos += 1 + length;
    }
    if (!jumped) at = pos + 1;
    return name;
  }

  size_t Size() const { return m_.size(); }

private:
  uint8_t Byte(size_t at) const { return static_cast<uint8_t>(m_[at]); }
  std::string_view m_;
};

bool SameName(std::string_view a, std::string_view b) {
  if (!a.empty() && a.back() == '.') a.remove_suffix(1);
  if (!b.empty() && b.back() == '.') b.remove_suffix(1);
  return SameText(a, b);
}

// Reads one resource record at `at`; a record of the type asked is added.
bool ReadRecord(const Reader& reader, size_t& at, uint16_t type, std::vector<DnsRecord>& records) {
  if (!reader.Name(at)) return false;
  const auto recordType = reader.Word(at), recordClass = reader.Word(at);
  const auto ttl = reader.Long(at);
  const auto length = reader.Word(at);
  if (!recordType || !recordClass || !ttl || !length) return false;
  size_t pos = at;
  const size_t end = at + *length;
  if (end > reader.Size()) return false;
  at = end;
  if (*recordType != type || *recordClass != kClassIn) return true;
  DnsRecord record;
  if (type == kDnsTypeMx) {
    const auto preference = reader.Word(pos);
    const auto host = preference ? reader.Name(pos) : std::nullopt;
    if (!host || pos != end) return false;
    record.preference = *preference;
    record.host = *host;
  } else if (type == kDnsTypeNs) {
    const auto host = reader.Name(pos);
    if (!host || pos != end) return false;
    record.host = *host;
  } else if (type == kDnsTypeA) {
    if (*length != kAddressBytes) return false;
    record.address = *reader.Long(pos);
  }
  records.push_back(std::move(record));
  return true;
}

}  // namespace

std::string BuildDnsQuery(uint16_t id, std::string_view name, uint16_t type) {
  std::string query;
  AppendBe16(query, id);
  AppendBe16(query, kFlagRecursionDesired);
  AppendBe16(query, 1);  // one question, no other records
  AppendBe16(query, 0);
  AppendBe16(query, 0);
  AppendBe16(query, 0);
  if (!name.empty() && name.back() == '.') name.remove_suffix(1);
  size_t wireBytes = 1;
  while (!name.empty()) {
    const size_t dot = name.find('.');
    const std::string_view label = name.substr(0, dot);
    wireBytes += 1 + label.size();
    if (label.empty() || label.size() > kMaxLabel || wireBytes > kMaxNameBytes) return {};
    query += char(label.size());
    query.append(label);
    name = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (dot != std::string_view::npos && name.empty()) return {};
  }
  if (wireBytes == 1) return {};
  query += '\0';
  AppendBe16(query, type);
  AppendBe16(query, kClassIn);
  return query;
}

DnsReply ParseDnsReply(std::string_view message, uint16_t id, std::string_view name, uint16_t type) {
  DnsReply reply;
  const Reader reader(message);
  size_t at = 0;
  const auto replyId = reader.Word(at), flags = reader.Word(at), questions = reader.Word(at),
             answers = reader.Word(at), authorities = reader.Word(at);
  if (!replyId || !flags || !questions || !answers || !authorities || message.size() < kHeaderBytes) return reply;
  if (*replyId != id || !(*flags & kFlagResponse) || (*flags & kOpcodeMask) || *questions != 1) return reply;
  at = kHeaderBytes;
  const auto questionName = reader.Name(at);
  const auto questionType = reader.Word(at), questionClass = reader.Word(at);
  if (!questionName || !questionType || !questionClass) return reply;
  if (!SameName(*questionName, name) || *questionType != type || *questionClass != kClassIn) return reply;
  reply.rcode = uint8_t(*flags & kRcodeMask);
  reply.status = DnsReplyStatus::Malformed;
  for (uint16_t i = 0; i < *answers; ++i)
    if (!ReadRecord(reader, at, type, reply.records)) {
      reply.records.clear();
      return reply;
    }
  std::vector<DnsRecord> servers;
  for (uint16_t i = 0; i < *authorities; ++i)
    if (!ReadRecord(reader, at, kDnsTypeNs, servers)) {
      reply.records.clear();
      return reply;
    }
  for (DnsRecord& server : servers) reply.referrals.push_back(std::move(server.host));
  reply.status = DnsReplyStatus::Answer;
  return reply;
}

}  // namespace quor
