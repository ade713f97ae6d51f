// Line and cell helpers of the details formatters: a report text is lines
// joined by carriage return and line feed (a lone line feed counts too).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quor {

// The pieces between line breaks; views into `text`.
[[nodiscard]] std::vector<std::string_view> TextLines(std::string_view text);

// Without blanks at both ends.
[[nodiscard]] std::string_view TrimBlanks(std::string_view s);

// Without blanks and control characters at both ends.
[[nodiscard]] std::string_view TrimCell(std::string_view s);

// At most `count` pieces cut at `separator`; the last piece takes the rest.
[[nodiscard]] std::vector<std::string_view> SplitAt(std::string_view s, char separator, size_t count);

[[nodiscard]] bool StartsWithNoCase(std::string_view s, std::string_view prefix);

}  // namespace quor
