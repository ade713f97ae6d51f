// Mail addresses as the settings hold them ("a@x", "Name <a@x>", lists
// separated by "," or ";") and the forms the protocols need.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quor {

// The entries of a list separated by "," or ";", trimmed, empty ones left
// out. A separator inside double quotes or angle brackets belongs to the
// entry ("Doe, John" <j@x> stays one entry).
[[nodiscard]] std::vector<std::string> SplitRecipients(std::string_view list);

// The address inside the last "<...>" of the entry (to its end when the ">"
// is missing), else the whole trimmed entry; without line breaks.
[[nodiscard]] std::string BareAddress(std::string_view entry);

// The text before the last "<", trimmed, without surrounding double quotes;
// empty when the entry has no angle brackets.
[[nodiscard]] std::string DisplayName(std::string_view entry);

// "<" bare address ">", as MAIL FROM and RCPT TO take it.
[[nodiscard]] std::string ProtocolAddress(std::string_view entry);

// The entry as a header shows it: the display name (quoted when it holds
// special characters, an encoded word when it holds non-ASCII bytes) and the
// bare address in angle brackets.
[[nodiscard]] std::string HeaderAddress(std::string_view entry);

// The header forms of all entries joined by ", ".
[[nodiscard]] std::string HeaderAddressList(const std::vector<std::string>& entries);

// The part of the bare address after its last "@"; empty without one.
[[nodiscard]] std::string AddressDomain(std::string_view entry);

// The recipient address Simple MAPI takes: "SMTP:" and the bare address.
[[nodiscard]] std::string MapiRecipientAddress(std::string_view entry);

}  // namespace quor
