// Row colours of the details list and the development-environment jump text.
#include "report/box/quorDetailsColours.h"

#include <gtest/gtest.h>

#include "report/box/quorIdeJump.h"

namespace quor {
namespace {

TEST(DetailsColours, CellBackgrounds) {
  struct Case {
    const char* name;
    uint32_t row;
    size_t column, columns;
    bool selected, low;
    uint32_t colour;
  } cases[] = {
      {"column 0 tint", 0, 0, 7, false, false, 0xFFF8F0},
      {"odd columns white", 0, 1, 7, false, false, 0xFFFFFF},
      {"column 2 tint", 0, 2, 7, false, false, 0xF4F4FF},
      {"column 4 tint", 0, 4, 7, false, false, 0xFFF8F0},
      {"one column white", 0, 0, 1, false, false, 0xFFFFFF},
      {"row colour wins", 0xD0D0FF, 1, 4, false, false, 0xD0D0FF},
      {"selected darker", 0, 0, 7, true, false, 0xEFE8E0},
      {"selected white", 0, 1, 7, true, false, 0xEFEFEF},
      {"low: current instruction", 0xD0D0FF, 0, 4, false, true, 0x0000FF},
      {"low: selected current instruction", 0xD0D0FF, 0, 4, true, true, 0x000080},
      {"low: column 2", 0, 2, 4, false, true, 0xFFFF80},
      {"low: selected column 2", 0, 2, 4, true, true, 0x808000},
      {"low: column 0", 0, 0, 4, false, true, 0xC0FFFF},
      {"low: selected column 0", 0, 0, 4, true, true, 0x008080},
      {"low: white", 0, 1, 4, false, true, 0xFFFFFF},
      {"low: selected white", 0, 1, 4, true, true, 0xC0C0C0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CellBackground(c.row, c.column, c.columns, {c.selected, c.low}), c.colour) << c.name;
  EXPECT_EQ(SelectionFrame(false), 0xB0B0B0u);
  EXPECT_EQ(SelectionFrame(true), 0x808080u);
  EXPECT_EQ(RowEndLine(false), 0xE0E0E0u);
  EXPECT_EQ(RowEndLine(true), 0xFFFFFFu);
}

TEST(DetailsColours, PathCellsAreShortenedInTheMiddle) {
  EXPECT_TRUE(IsPathCell("C:\\windows\\system32\\kernel32.dll"));
  EXPECT_FALSE(IsPathCell("\\\\server\\share"));
  EXPECT_FALSE(IsPathCell("1:\\x"));
  EXPECT_FALSE(IsPathCell("C:"));
}

TEST(IdeJump, RowTextAndHandlerClass) {
  TDetailsView v;
  for (const char* text : {">> main thread ($1a4):", "00401043\tSorvenal.exe\tFileWordSum", "", ">"})
    v.Rows.push_back({text, {}, 0, false});
  EXPECT_EQ(IdeJumpText(v, 0), "");  // the heading
  EXPECT_EQ(IdeJumpText(v, 1), "00401043 Sorvenal.exe FileWordSum");
  EXPECT_EQ(IdeJumpText(v, 2), "");
  EXPECT_EQ(IdeJumpText(v, 3), "");
  EXPECT_EQ(IdeJumpText(v, 9), "");
  EXPECT_EQ(IdeHandlerClassPrefix(0x1A4), "quorToolsMsgHandlerWindow$1a4");
}

}  // namespace
}  // namespace quor
