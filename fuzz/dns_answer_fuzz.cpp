// DNS replies from the network, read as the answer to an MX and an A query.
#include "report/delivery/quorDnsMessage.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view message(reinterpret_cast<const char*>(data), size);
  // The ID of the message itself, so that the records are read.
  const uint16_t id = size >= 2 ? uint16_t(data[0] << 8 | data[1]) : 0;
  for (uint16_t type : {quor::kDnsTypeMx, quor::kDnsTypeA}) {
    const quor::DnsReply reply = quor::ParseDnsReply(message, id, "example.test", type);
    if (reply.status != quor::DnsReplyStatus::Answer && !reply.records.empty()) abort();
    for (const quor::DnsRecord& record : reply.records)
      if (record.host.size() > 255) abort();
  }
  return 0;
}
