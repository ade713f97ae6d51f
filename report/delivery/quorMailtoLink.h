// The mailto link (RFC 6068) that hands the report to the user's mail
// program, and the command line that starts it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// The longest command line the NT family starts.
inline constexpr size_t kMaxCommandLine = 32766;

// Every byte outside the unreserved set (letters, digits, "-._~") and outside
// `keep` as "%" and two upper-case hexadecimal digits.
[[nodiscard]] std::string PercentEncode(std::string_view text, std::string_view keep = {});

// "mailto:" the bare recipient addresses joined by ",", "?subject=" and
// "&body=" with subject and body percent-encoded.
[[nodiscard]] std::string MailtoLink(const std::vector<std::string>& recipients, std::string_view subject,
                                     std::string_view body);

// A command whose program path holds blanks but no quotes gets the path up
// to its ".exe" quoted, so that the system cannot take "C:\Program" for the
// program.
[[nodiscard]] std::string QuoteExecutablePath(std::string_view command);

// The mail handler's command with the link in place of its first "%1" (or
// appended after a blank), at most `maxLength` characters: the body inside
// the link is shortened as far as needed, never inside a "%XX" escape.
// Nothing when even an empty body does not fit.
[[nodiscard]] std::optional<std::string> MailtoCommand(std::string_view handlerCommand,
                                                       const std::vector<std::string>& recipients,
                                                       std::string_view subject, std::string_view body,
                                                       size_t maxLength = kMaxCommandLine);

}  // namespace quor
