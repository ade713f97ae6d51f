// The bug report as text: the header of aligned "name: value" lines, then
// the named sections, and the rules that turn an exception's message into
// the forms the report and the user see.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quor {

// One header field or one section: a name and its text.
struct TReportField {
  std::string Name;
  std::string Content;
};
using TReportFields = std::vector<TReportField>;

// Placeholder values while a report is being built.
inline constexpr std::string_view kCrcPending = "will be calculated soon";
inline constexpr std::string_view kSectionPending = ">> will be calculated soon";

// Composes the report: every header field on its own line, its name padded to
// one more than the longest name, ": ", the value on one line (line breaks
// become blanks, runs of blanks one blank); then per section a blank line,
// the name (with ":" unless it has one) and its lines (trailing blanks
// removed, an empty line written as "."). Lines end in CR LF; no final break.
[[nodiscard]] std::string ComposeReportText(const TReportFields& header, const TReportFields& sections);

// The message of an exception: control characters other than CR and LF
// removed, blanks trimmed, "Unknown" when nothing is left.
[[nodiscard]] std::string CleanExceptionMessage(std::string_view message);

// The form shown to the user: the text up to its last character that is not
// ".", "!" or NUL, and one ".".
[[nodiscard]] std::string ShownExceptionMessage(std::string_view cleanMessage);

// The "exception message" header value: the shown form on one line (CR and LF
// become blanks, two blanks become one).
[[nodiscard]] std::string HeaderExceptionMessage(std::string_view cleanMessage);

}  // namespace quor
