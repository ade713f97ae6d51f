// The system's proxy setting as the upload uses it: which proxy takes plain
// HTTP, and whether a host is on the list of hosts reached directly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quor {

struct HttpProxy {
  std::string host;
  uint16_t port = 0;
};

// The proxy for "http" of a proxy setting: "host:port", "http://host:port",
// or per-protocol entries "http=host:port;https=host:port" (separated by ";"
// or blanks). An entry without a protocol serves every protocol. A missing
// port is 80. Nothing when no entry serves HTTP.
[[nodiscard]] std::optional<HttpProxy> HttpProxyFromSetting(std::string_view setting);

// True when `host` matches an entry of the bypass list (separated by ";",
// "," or blanks; "*" matches any run of characters, case ignored; "<local>"
// matches every host name without a dot).
[[nodiscard]] bool ProxyBypassed(std::string_view host, std::string_view bypassList);

}  // namespace quor
