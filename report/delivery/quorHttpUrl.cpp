#include "report/delivery/quorHttpUrl.h"

#include "report/delivery/quorHexEscape.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

constexpr std::string_view kSchemeSeparator = "://";
constexpr uint32_t kMaxPort = 65535;

bool IsHostChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
         c == '_';
}

bool IsPrintableAscii(unsigned char c) { return c > ' ' && c < 0x7F; }

}  // namespace

std::optional<uint16_t> ParsePort(std::string_view digits) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  uint32_t port = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    port = port * 10 + uint32_t(c - '0');
  }
  if (port == 0 || port > kMaxPort) return std::nullopt;
  return uint16_t(port);
}

std::optional<HttpTarget> ParseHttpUrl(std::string_view url, uint16_t defaultPort) {
  url = TrimText(url);
  if (const size_t scheme = url.find(kSchemeSeparator); scheme != std::string_view::npos) {
    if (!SameText(url.substr(0, scheme), "http")) return std::nullopt;
    url.remove_prefix(scheme + kSchemeSeparator.size());
  }
  const size_t slash = url.find('/');
  std::string_view authority = url.substr(0, slash);
  HttpTarget target;
  target.path = slash == std::string_view::npos ? "/" : PercentEncodeBytes(url.substr(slash), IsPrintableAscii);
  target.port = defaultPort;
  if (const size_t colon = authority.find(':'); colon != std::string_view::npos) {
    const auto port = ParsePort(authority.substr(colon + 1));
    if (!port) return std::nullopt;
    target.port = *port;
    authority = authority.substr(0, colon);
  }
  if (authority.empty()) return std::nullopt;
  for (char c : authority)
    if (!IsHostChar(c)) return std::nullopt;
  target.host = std::string(authority);
  return target;
}

}  // namespace quor
