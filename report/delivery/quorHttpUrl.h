// The upload address (setting HttpServer) split into what the connection
// and the request line need.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quor {

inline constexpr uint16_t kHttpPort = 80;

struct HttpTarget {
  std::string host;
  uint16_t port = kHttpPort;
  std::string path;  // from its "/"; blanks, control and non-ASCII bytes percent-encoded
};

// "http://host[:port][/path]" or the same without "http://". The port is
// `defaultPort` (setting HttpPort) unless the address names one; the path is
// "/" when it names none. Nothing for another scheme (there is no TLS), an
// empty or malformed host, or a bad port.
[[nodiscard]] std::optional<HttpTarget> ParseHttpUrl(std::string_view url, uint16_t defaultPort);

// The port of "host:port" text: 1-65535 in decimal digits only.
[[nodiscard]] std::optional<uint16_t> ParsePort(std::string_view digits);

}  // namespace quor
