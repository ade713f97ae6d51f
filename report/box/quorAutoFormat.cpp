#include "report/box/quorAutoFormat.h"

#include <algorithm>

#include "report/box/quorDetailsCells.h"
#include "report/box/quorDetailsLines.h"
#include "report/box/quorDetectColumns.h"

namespace quor {
namespace {

constexpr size_t kLongLine = 80;
constexpr size_t kLongLineShare = 5;  // fewer than one line in five may be long

bool IsChangeLine(std::string_view line) {
  const std::string_view t = TrimBlanks(line);
  return !t.empty() && (t.front() == '+' || t.front() == '-');
}

TDetailsView ChangeList(const std::vector<std::string_view>& lines) {
  TDetailsView view;
  view.Columns.emplace_back();
  view.HideHeaders = true;
  view.FixedFont = true;
  for (const std::string_view line : lines) {
    TDetailsRow row;
    const size_t indent = line.find_first_not_of(' ');
    row.Text = std::string(indent, kHardBlank) + std::string(line.substr(indent));
    if (line[indent] == '+') row.Colour = kAddedLineColour;
    view.Rows.push_back(std::move(row));
  }
  return view;
}

}  // namespace

TDetailsView AutoFormatView(std::string_view text) {
  const bool titled = !text.empty() && text.front() == '^';
  std::vector<std::string_view> lines = TextLines(text);
  const size_t longLines = static_cast<size_t>(
      std::count_if(lines.begin(), lines.end(), [](std::string_view l) { return l.size() > kLongLine; }));
  if (!titled && (lines.size() < 2 || longLines * kLongLineShare >= lines.size())) return {};

  TDetailsView view;
  if (titled) {
    view.Columns = ColumnsFromTitles(lines.front(), kCellSeparator);
    lines.erase(lines.begin());
  } else {
    view.HideHeaders = true;
    if (std::all_of(lines.begin(), lines.end(), IsChangeLine)) return ChangeList(lines);
  }

  if (text.find(kCellSeparator) == std::string_view::npos) {
    TColumnCut cut = DetectColumns(lines, true);
    if (!titled) view.Columns.resize(cut.Starts.size() + 1);
    for (std::string& r : cut.Rows) view.Rows.push_back({std::move(r), {}, kDefaultRowColour, false});
  } else {
    size_t widest = 0;
    for (const std::string_view line : lines) {
      widest = std::max(widest, static_cast<size_t>(std::count(line.begin(), line.end(), kCellSeparator)));
      view.Rows.push_back({std::string(line), {}, kDefaultRowColour, false});
    }
    if (!titled) view.Columns.resize(widest + 1);
  }
  return view;
}

}  // namespace quor
