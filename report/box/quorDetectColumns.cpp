#include "report/box/quorDetectColumns.h"

#include <algorithm>
#include <numeric>

#include "report/box/quorDetailsLines.h"
#include "report/box/quorDetailsModel.h"

namespace quor {
namespace {

size_t CountedLength(std::string_view line) { return IsSectionLine(line) ? 0 : line.size(); }

bool MayBeSeparator(std::string_view reference, size_t c) {
  const char ch = reference[c];
  return ch == ' ' || ch == '=' || ch == '|' || (ch == ':' && reference[c + 1] == ' ');
}

// A blank followed by a non-blank (or by the line end), or any other character.
bool EndsARun(std::string_view line, size_t c) {
  return line[c] != ' ' || c + 1 >= line.size() || line[c + 1] != ' ';
}

bool HasText(std::string_view line) { return CountedLength(line) > 0 && !TrimBlanks(line).empty(); }

}  // namespace

TColumnCut DetectColumns(std::string_view text, bool strict) { return DetectColumns(TextLines(text), strict); }

TColumnCut DetectColumns(const std::vector<std::string_view>& lines, bool strict) {
  // Lines by length, longest first: at position c only the first `reaching`
  // lines are long enough, so the whole search reads each character at most once.
  std::vector<size_t> order(lines.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return CountedLength(lines[a]) > CountedLength(lines[b]); });
  const size_t withText = static_cast<size_t>(std::count_if(lines.begin(), lines.end(), HasText));

  TColumnCut cut;
  std::vector<size_t> boundaries;
  const size_t referenceLength = order.empty() ? 0 : CountedLength(lines[order.front()]);
  size_t reaching = order.size();
  if (referenceLength >= 3) {
    const std::string_view reference = lines[order.front()];
    for (size_t c = 1; c + 2 <= referenceLength; ++c) {
      if (!MayBeSeparator(reference, c)) continue;
      while (reaching > 0 && CountedLength(lines[order[reaching - 1]]) <= c) --reaching;
      bool same = true;
      size_t runEnds = 0;
      for (size_t k = 0; k < reaching && same; ++k) {
        const std::string_view line = lines[order[k]];
        same = line[c] == reference[c];
        if (same && EndsARun(line, c)) ++runEnds;
      }
      if (!same || (strict && withText > 1 && runEnds <= 1)) continue;
      boundaries.push_back(c);
      if (!cut.Starts.empty() && cut.Starts.back() == c)
        cut.Starts.back() = c + 1;
      else
        cut.Starts.push_back(c + 1);
    }
  }

  cut.Rows.reserve(lines.size());
  for (const std::string_view line : lines) {
    std::string row(line);
    if (CountedLength(line) > 0) {
      for (const size_t c : boundaries) {
        if (c >= row.size()) break;
        row[c] = ' ';
      }
      for (const size_t s : cut.Starts) {
        if (s - 1 >= row.size()) break;
        row[s - 1] = kCellSeparator;
      }
    }
    cut.Rows.emplace_back(TrimBlanks(row));
  }
  return cut;
}

}  // namespace quor
