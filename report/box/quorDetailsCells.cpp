#include "report/box/quorDetailsCells.h"

#include <cctype>

#include "report/box/quorDetailsLines.h"

namespace quor {

std::vector<TDetailsColumn> ColumnsFromTitles(std::string_view titles, char separator) {
  std::vector<TDetailsColumn> columns;
  for (;;) {
    const size_t at = titles.find(separator);
    std::string_view title = titles.substr(0, at);
    TDetailsColumn column;
    // The marks may come in either order: "^ rel.".
    for (bool marked = true; marked && !title.empty();) {
      marked = title.front() == '^' || title.front() == ' ';
      if (title.front() == '^') column.UpperCase = true;
      if (title.front() == ' ') column.RightAligned = true;
      if (marked) title.remove_prefix(1);
    }
    column.Title = std::string(title);
    columns.push_back(std::move(column));
    if (at == std::string_view::npos) return columns;
    titles.remove_prefix(at + 1);
  }
}

void SplitCells(TDetailsView& view) {
  const size_t count = view.Columns.size();
  for (TDetailsRow& row : view.Rows) {
    row.Cells.assign(count, std::string());
    if (count == 0) continue;
    if (IsSectionLine(row.Text)) {
      row.Cells[0] = ">>";
      continue;
    }
    const std::vector<std::string_view> pieces = SplitAt(row.Text, kCellSeparator, count);
    for (size_t i = 0; i < pieces.size(); ++i) {
      std::string cell(TrimCell(pieces[i]));
      if (view.Columns[i].UpperCase)
        for (char& c : cell) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      row.Cells[i] = std::move(cell);
    }
  }
}

}  // namespace quor
