// HTTP responses from the network, fed in pieces whose sizes come from the
// input too, then the connection's end.
#include "report/delivery/quorHttpResponse.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t piece = 1 + data[0] % 128;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  quor::HttpResponseReader reader;
  quor::HttpResponseStatus status = quor::HttpResponseStatus::NeedMore;
  for (size_t at = 0; at < bytes.size() && status == quor::HttpResponseStatus::NeedMore; at += piece)
    status = reader.Feed(bytes.substr(at, piece));
  if (status == quor::HttpResponseStatus::NeedMore) status = reader.FeedEnd();
  if (status == quor::HttpResponseStatus::Complete) {
    const quor::HttpResponse& response = reader.Response();
    if (response.status < 200 || response.status > 999 || response.body.size() > quor::kMaxHttpBodyBytes) abort();
    if (const auto location = response.Header("Location")) (void)quor::IsOpenableLocation(*location);
  }
  return 0;
}
