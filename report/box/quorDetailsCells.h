// Column titles and the cells of the rows. A title starting with "^" makes
// its column upper-case, one starting with a blank makes it right-aligned;
// the marks are not part of the shown title. Platform-free.
#pragma once

#include <string_view>
#include <vector>

#include "report/box/quorDetailsModel.h"

namespace quor {

// Titles separated by `separator`, as "^handle|file name| version|path".
[[nodiscard]] std::vector<TDetailsColumn> ColumnsFromTitles(std::string_view titles, char separator = '|');

// Fills the cells of every row from its text: as many cells as columns (the
// last takes the rest), trimmed of blanks and control characters,
// upper-cased in upper-case columns; a ">>" row has ">>" as its first cell.
void SplitCells(TDetailsView& view);

}  // namespace quor
