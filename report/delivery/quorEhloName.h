// The name the client gives in EHLO and HELO (RFC 5321 4.1.1.1 and 4.1.3).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

// True for a host name of letter-digit-hyphen labels (1-63 characters, no
// hyphen at either end) joined by dots, at most 253 characters.
[[nodiscard]] bool IsValidHostName(std::string_view name);

// `hostName` when it is valid, else the address literal of the connection's
// local address ("[192.168.1.7]"; most significant byte first). Computer names
// may hold blanks, underscores or non-ASCII letters that servers refuse.
[[nodiscard]] std::string EhloName(std::string_view hostName, uint32_t localAddress);

// "a.b.c.d" of an IPv4 address given most significant byte first.
[[nodiscard]] std::string DottedAddress(uint32_t address);

}  // namespace quor
