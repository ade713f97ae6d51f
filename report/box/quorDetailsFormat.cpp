#include "report/box/quorDetailsFormat.h"

#include "report/box/quorAutoFormat.h"
#include "report/box/quorCallStackFormat.h"
#include "report/box/quorDetailsCells.h"
#include "report/box/quorDetailsLines.h"
#include "report/box/quorDetectColumns.h"
#include "report/box/quorDisAsmFormat.h"

namespace quor {
namespace {

// The stack dump's fixed layout: address, 16 bytes in hexadecimal, characters.
constexpr size_t kDumpHexStart = 10;
constexpr size_t kDumpCharsStart = 61;
// The processes list has a session column only when some process is in a
// session other than 0: then its lines have four boundaries, not three.
constexpr size_t kProcessBoundariesWithoutSession = 3;

TDetailsView Columns(std::string_view titles, TColumnCut cut, bool fixedFont = false) {
  TDetailsView view;
  view.Columns = ColumnsFromTitles(titles);
  view.FixedFont = fixedFont;
  for (std::string& row : cut.Rows) view.Rows.push_back({std::move(row), {}, kDefaultRowColour, false});
  return view;
}

TDetailsView General(std::string_view text) {
  TDetailsView view;
  view.Columns = ColumnsFromTitles("description|value");
  for (const std::string_view line : TextLines(text)) view.Rows.push_back({std::string(line), {}, 0, false});
  return view;
}

TDetailsView StackDump(std::string_view text) {
  TDetailsView view;
  view.Columns = ColumnsFromTitles("address|data - hexadecimal|data - chars");
  view.FixedFont = true;
  for (const std::string_view line : TextLines(text)) {
    std::string row(line);
    if (!IsSectionLine(line)) {
      if (row.size() > kDumpCharsStart) row.insert(kDumpCharsStart, 1, kCellSeparator);
      if (row.size() > kDumpHexStart) row.insert(kDumpHexStart, 1, kCellSeparator);
    }
    view.Rows.push_back({std::move(row), {}, kDefaultRowColour, false});
  }
  return view;
}

TDetailsView Processes(std::string_view text) {
  TColumnCut cut = DetectColumns(text, true);
  const bool withoutSession = cut.Starts.size() == kProcessBoundariesWithoutSession;
  return Columns(withoutSession ? "^id|file name|priority|path" : "^id|file name|session|priority|path",
                 std::move(cut));
}

TDetailsView Choose(TDetailsTabKind kind, std::string_view name, std::string_view text) {
  if (StartsWithNoCase(text, ">> will be")) return AutoFormatView(text);
  if (text.substr(0, 11) == ">> internal") return FormatCallStackView(text);
  if (kind == TDetailsTabKind::General) return General(text);
  if (kind == TDetailsTabKind::CallStack) return FormatCallStackView(text);
  if (name == "modules") return Columns("^handle|file name| version|path", DetectColumns(text, true));
  if (name == "cpu registers") return Columns("reg.|content", DetectColumns(text, true), true);
  if (name == "stack dump") return StackDump(text);
  if (name == "processes") return Processes(text);
  if (name == "disassembling") return FormatDisAsmView(text);
  return AutoFormatView(text);
}

}  // namespace

TDetailsView FormatDetails(TDetailsTabKind kind, std::string_view sectionName, std::string_view text) {
  TDetailsView view = Choose(kind, sectionName, text);
  if (!view.IsList()) return {};
  SplitCells(view);
  return view;
}

}  // namespace quor
