#include "report/box/quorDisAsmFormat.h"

#include <cctype>

#include "report/box/quorDetailsCells.h"
#include "report/box/quorDetailsLines.h"

namespace quor {
namespace {

constexpr size_t kAddressDigits = 8;
constexpr size_t kMarkerSearch = 25;    // the marker stands within the first characters
constexpr size_t kCodeStart = 9;        // the instruction column starts after the address
constexpr size_t kLineColumnFrom = 11;  // a marker further right leaves room for line numbers
constexpr std::string_view kRule = "; --";
constexpr size_t kRuleShortening = 28;  // the rule's dashes that do not fit the comment column

bool IsAddressLine(std::string_view line) {
  if (line.size() < kAddressDigits) return false;
  for (size_t i = 0; i < kAddressDigits; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(line[i]))) return false;
  return true;
}

// The marker's offset in the first instruction line that has one, else npos.
// Only instruction lines are searched: a function name such as
// "Compare<int>" before them must not pass for the marker.
size_t MarkerColumn(const std::vector<std::string_view>& lines) {
  for (const std::string_view line : lines) {
    if (!IsAddressLine(line)) continue;
    const size_t q = line.substr(0, kMarkerSearch).find('>');
    if (q != std::string_view::npos) return q;
  }
  return std::string_view::npos;
}

// Cuts one line before each start. A line whose character there is not a
// blank (a label, the function's name) is not cut: it gets an empty cell
// and continues in the next column, so labels stand with the instructions.
std::string CutLine(std::string_view line, const std::vector<size_t>& starts) {
  std::string row;
  size_t from = 0;
  for (const size_t s : starts) {
    if (s - 1 < line.size() && from <= s - 1 && line[s - 1] == ' ') {
      row.append(line.substr(from, s - 1 - from));
      from = s;
    }
    row += kCellSeparator;
  }
  row.append(line.substr(std::min(from, line.size())));
  return row;
}

// The comment becomes its own column; a rule ("; ----") stays in the code
// column, shortened.
std::string SplitComment(std::string row) {
  const size_t rule = row.find(kRule);
  if (rule != std::string::npos) {
    row.erase(rule + 2, kRuleShortening);
    return row;
  }
  const size_t semicolon = row.find(';');
  if (semicolon != std::string::npos) row.insert(semicolon, 1, kCellSeparator);
  return row;
}

}  // namespace

TDetailsView FormatDisAsmView(std::string_view text) {
  const std::vector<std::string_view> lines = TextLines(text);
  const size_t q = MarkerColumn(lines);
  const bool lineColumn = q != std::string_view::npos && q >= kLineColumnFrom;
  std::vector<size_t> starts{kCodeStart};
  if (lineColumn) starts.push_back(q - 1);

  TDetailsView view;
  view.Columns = ColumnsFromTitles(lineColumn ? "address|line|asm code|comments" : "address|asm code|comments");
  view.FixedFont = true;
  for (const std::string_view line : lines) {
    std::string marked(line);
    TDetailsRow row;
    if (q != std::string_view::npos && q < marked.size() && IsAddressLine(marked)) {
      if (marked[q] == '>') row.Colour = kCurrentInstructionColour;
      if (marked[q] == '>' || marked[q] == ' ') marked[q] = kHardBlank;
    }
    row.Text = SplitComment(CutLine(marked, starts));
    view.Rows.push_back(std::move(row));
  }
  return view;
}

}  // namespace quor
