// Finds the columns of a text laid out with blanks: a character position is
// a column boundary when the longest line has a blank, "=", "|" or ": " there
// and every other line reaching that far has the same character. A run of
// such positions gives one boundary; ">>" lines take no part. Platform-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quor {

struct TColumnCut {
  std::vector<size_t> Starts;     // character position where each column after the first begins
  std::vector<std::string> Rows;  // one per line: trimmed, kCellSeparator before each start
};

// Strict: a boundary must also be the end of a blank run (or a non-blank
// separator) in more than one line, unless only one line has text; so blanks
// inside a single long value do not cut it.
[[nodiscard]] TColumnCut DetectColumns(std::string_view text, bool strict);
[[nodiscard]] TColumnCut DetectColumns(const std::vector<std::string_view>& lines, bool strict);

}  // namespace quor
