#include "report/box/quorCallStackFormat.h"

#include <array>
#include <cctype>

#include "report/box/quorDetailsCells.h"
#include "report/box/quorDetailsLines.h"
#include "report/box/quorDetectColumns.h"

namespace quor {
namespace {

// The list's columns in their order; a trace fills those it has.
enum TStackColumn { scAddress, scRelAddress, scModule, scUnit, scLine, scRelLine, scFunction, scCount };
constexpr std::string_view kTitles = "^address|^ rel.|module|unit| line| rel.|function";
constexpr size_t kNone = static_cast<size_t>(-1);

// Where each column of one trace begins among its detected columns (kNone:
// the trace lacks it); a column runs up to the next present one.
using TColumnMap = std::array<size_t, scCount>;

bool IsBlankLine(std::string_view line) { return TrimBlanks(line).empty(); }
bool IsTextLine(std::string_view line) { return !IsBlankLine(line) && !IsSectionLine(line); }

bool IsRelAddress(std::string_view cell) {
  cell = TrimCell(cell);
  if (cell.size() < 2 || cell.front() != '+') return false;
  for (const char c : cell.substr(1))
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Blanks followed by digits; an all-blank cell is a call without a line.
bool IsLineNumber(std::string_view cell, bool& hasDigits) {
  cell = TrimCell(cell);
  for (const char c : cell)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  hasDigits = hasDigits || !cell.empty();
  return true;
}

bool IsFunctionName(std::string_view cell) {
  cell = TrimCell(cell);
  if (cell.empty() || StartsWithNoCase(cell, "public%") || StartsWithNoCase(cell, "segment%")) return true;
  if (!std::isalpha(static_cast<unsigned char>(cell.front())) && cell.front() != '_') return false;
  for (const char c : cell)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

// One trace: its text lines cut into columns.
struct TTrace {
  std::vector<std::vector<std::string_view>> Cells;  // of each text line
  size_t Count = 0;                                  // detected columns
};

template <class Test>
bool EveryLine(const TTrace& t, size_t column, Test test) {
  for (const auto& cells : t.Cells)
    if (!test(column < cells.size() ? cells[column] : std::string_view())) return false;
  return true;
}

TColumnMap Recognise(const TTrace& t) {
  TColumnMap map;
  map.fill(kNone);
  map[scAddress] = 0;
  const size_t n = t.Count;
  if (n < 2) return map;
  size_t module = 1;
  if (EveryLine(t, 1, IsRelAddress)) map[scRelAddress] = 1, module = 2;
  if (module >= n) return map;
  map[scModule] = module;

  size_t line = kNone;
  for (size_t c = module + 1; c < n && line == kNone; ++c) {
    bool hasDigits = false;
    if (EveryLine(t, c, [&](std::string_view cell) { return IsLineNumber(cell, hasDigits); }) && hasDigits) line = c;
  }
  if (line != kNone) {
    map[scLine] = line;
    if (line - 1 > module) map[scUnit] = line - 1;
    const size_t left = n - 1 - line;
    if (left >= 2) map[scRelLine] = line + 1, map[scFunction] = line + 2;
    if (left == 1) map[scFunction] = line + 1;
    return map;
  }
  for (size_t c = module + 1; c < n; ++c) {
    if (!EveryLine(t, c, IsFunctionName)) continue;
    map[scFunction] = c;
    if (n - 1 - module == 2 && c == module + 2) map[scUnit] = module + 1;
    break;
  }
  return map;
}

// The row text of one text line: the trace's cells gathered into the list's
// columns, a column spanning the detected columns up to the next present one.
std::string RowText(const std::vector<std::string_view>& cells, const TColumnMap& map) {
  std::string row;
  for (size_t k = 0; k < scCount; ++k) {
    if (k > 0) row += kCellSeparator;
    if (map[k] == kNone) continue;
    size_t end = cells.size();
    for (size_t next = k + 1; next < scCount; ++next)
      if (map[next] != kNone) {
        end = std::min(end, map[next]);
        break;
      }
    for (size_t c = map[k]; c < end; ++c) {
      if (c > map[k]) row += ' ';
      row.append(TrimBlanks(cells[c]));
    }
  }
  return row;
}

}  // namespace

TDetailsView FormatCallStackView(std::string_view text) {
  const std::vector<std::string_view> lines = TextLines(text);
  TDetailsView view;
  view.Rows.resize(lines.size());
  std::array<bool, scCount> used{};
  used[scAddress] = true;

  // Traces are the runs of text lines between headings; a ">> created"
  // heading continues the trace (the creator's calls below it).
  for (size_t from = 0; from < lines.size();) {
    size_t to = from;
    bool seenText = false;
    while (to < lines.size()) {
      if (IsTextLine(lines[to])) {
        seenText = true;
      } else if (seenText) {
        size_t block = to;
        while (block < lines.size() && !IsTextLine(lines[block])) ++block;
        if (block < lines.size() && !StartsWithNoCase(lines[to], ">> created")) break;
        to = block;
        continue;
      }
      ++to;
    }
    std::vector<std::string_view> piece(lines.begin() + static_cast<std::ptrdiff_t>(from),
                                        lines.begin() + static_cast<std::ptrdiff_t>(to));
    const TColumnCut cut = DetectColumns(piece, false);
    TTrace trace;
    trace.Count = cut.Starts.size() + 1;
    std::vector<size_t> textLines;
    for (size_t i = 0; i < piece.size(); ++i)
      if (IsTextLine(piece[i])) {
        trace.Cells.push_back(SplitAt(cut.Rows[i], kCellSeparator, trace.Count));
        textLines.push_back(i);
      }
    const TColumnMap map = Recognise(trace);
    for (size_t k = 0; k < scCount; ++k) used[k] = used[k] || map[k] != kNone;
    for (size_t t = 0; t < textLines.size(); ++t) view.Rows[from + textLines[t]].Text = RowText(trace.Cells[t], map);
    from = to;
  }

  const bool internalError = StartsWithNoCase(text, ">> internal error");
  for (size_t i = 0; i < lines.size(); ++i) {
    if (IsTextLine(lines[i])) continue;
    TDetailsRow& row = view.Rows[i];
    row.Colour = kWhiteRowColour;
    if (!IsSectionLine(lines[i])) continue;
    row.Text = std::string(lines[i]);
    row.SectionStart = i == 0 ? !internalError : IsBlankLine(lines[i - 1]);
  }

  // Keep only the columns some trace has.
  const std::vector<TDetailsColumn> all = ColumnsFromTitles(kTitles);
  for (size_t k = 0; k < scCount; ++k)
    if (used[k]) view.Columns.push_back(all[k]);
  for (TDetailsRow& row : view.Rows) {
    if (IsSectionLine(row.Text) || row.Text.empty()) continue;
    const std::vector<std::string_view> cells = SplitAt(row.Text, kCellSeparator, scCount);
    std::string kept;
    for (size_t k = 0; k < scCount; ++k) {
      if (!used[k]) continue;
      if (k > 0) kept += kCellSeparator;
      if (k < cells.size()) kept.append(cells[k]);
    }
    row.Text = std::move(kept);
  }
  return view;
}

}  // namespace quor
