// The automatic layout of a report text in the details view: a change list
// ("+"/"-" lines), a tab-separated table, or columns found by their blanks.
// A text starting with "^" carries its column titles in its first line.
// Platform-free.
#pragma once

#include <string_view>

#include "report/box/quorDetailsModel.h"

namespace quor {

// Rows carry their text only (no cells yet); no columns: show the raw text.
[[nodiscard]] TDetailsView AutoFormatView(std::string_view text);

}  // namespace quor
