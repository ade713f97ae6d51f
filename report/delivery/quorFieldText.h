// Text from settings or from the user that goes into a protocol command or
// a header line (subject, sender, recipients, account, file and field names).
#pragma once

#include <string>
#include <string_view>

namespace quor {

// `text` without carriage returns, line feeds and NUL characters, so that a
// value can never end a command or a header line early and start another.
[[nodiscard]] std::string StripLineBreaks(std::string_view text);

// `text` without line breaks as a quoted string: inside double quotes, with
// every double quote and backslash preceded by a backslash (RFC 5322
// quoted-string, as display names and header parameters take it).
[[nodiscard]] std::string QuotedString(std::string_view text);

}  // namespace quor
