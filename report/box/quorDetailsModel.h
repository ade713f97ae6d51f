// What the details view of the exception box shows for one tab: the columns
// of a list and its rows, already split into cells. A view without columns
// or rows is shown as raw text instead. Platform-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

// Separates the cells in a row's text.
constexpr char kCellSeparator = '\t';

// Row colours, 0x00BBGGRR; 0 means the columns' own colours.
constexpr uint32_t kDefaultRowColour = 0;
constexpr uint32_t kWhiteRowColour = 0xFFFFFF;
constexpr uint32_t kAddedLineColour = 0xFFF8F0;    // "+" lines of a change list
constexpr uint32_t kCurrentInstructionColour = 0xD0D0FF;

// The non-breaking blank of the single-byte code page: keeps indentation
// that trimming would remove.
constexpr char kHardBlank = '\xA0';

struct TDetailsColumn {
  std::string Title;
  bool RightAligned = false;
  bool UpperCase = false;
};

struct TDetailsRow {
  std::string Text;                // the whole row, cells separated by kCellSeparator
  std::vector<std::string> Cells;  // one per column
  uint32_t Colour = kDefaultRowColour;
  bool SectionStart = false;  // a ">>" row that opens a section
};

struct TDetailsView {
  std::vector<TDetailsColumn> Columns;
  bool HideHeaders = false;
  bool FixedFont = false;
  std::vector<TDetailsRow> Rows;

  [[nodiscard]] bool IsList() const { return !Columns.empty() && !Rows.empty(); }
};

// A row that stands for a section line: it begins with ">>".
[[nodiscard]] inline bool IsSectionLine(std::string_view line) { return line.substr(0, 2) == ">>"; }

}  // namespace quor
