// The call-stack layout on traces as the stack tracer writes them: each
// thread's trace gets its own columns, the list shows the union.
#include "report/box/quorCallStackFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/box/quorDetailsCells.h"

namespace quor {
namespace {

using Cells = std::vector<std::string>;

TDetailsView Format(const std::string& text) {
  TDetailsView v = FormatCallStackView(text);
  SplitCells(v);
  return v;
}

Cells Titles(const TDetailsView& v) {
  Cells titles;
  for (const TDetailsColumn& c : v.Columns)
    titles.push_back((c.UpperCase ? "^" : "") + std::string(c.RightAligned ? " " : "") + c.Title);
  return titles;
}

// Relative addresses and relative lines, as with ShowRelAddrs and ShowRelLines.
const std::string kMainThread =
    ">> main thread ($1a4):\r\n"
    "00401043 +3f Sorvenal.exe FileUtil.cpp  31 +1 FileWordSum\r\n"
    "004012a0 +a0 Sorvenal.exe FormMain.cpp 118 +7 CalculateClick\r\n"
    "7c81077b +0  kernel32.dll                     BaseThreadStart";

TEST(CallStackFormat, RelativeAddressColumnIsRightAlignedAndUpperCase) {
  const TDetailsView v = Format(kMainThread);
  EXPECT_EQ(Titles(v), (Cells{"^address", "^ rel.", "module", "unit", " line", " rel.", "function"}));
  ASSERT_EQ(v.Rows.size(), 4u);
  EXPECT_EQ(v.Rows[1].Cells, (Cells{"00401043", "+3F", "Sorvenal.exe", "FileUtil.cpp", "31", "+1", "FileWordSum"}));
  EXPECT_EQ(v.Rows[3].Cells, (Cells{"7C81077B", "+0", "kernel32.dll", "", "", "", "BaseThreadStart"}));
  EXPECT_TRUE(v.Rows[0].SectionStart);
  EXPECT_EQ(v.Rows[0].Colour, 0xFFFFFFu);
  EXPECT_EQ(v.Rows[1].Colour, 0u);
}

// A second thread without line numbers: its own columns (module, unit before
// an identifier function), empty cells in the columns it lacks.
TEST(CallStackFormat, EachThreadHasItsOwnColumns) {
  const std::string text = kMainThread +
                           "\r\n\r\n>> worker ($2b8): <suspended>\r\n"
                           "77f01234 ntdll.dll    ntdll.c    ZwWaitForSingleObject\r\n"
                           "00402200 Sorvenal.exe Worker.cpp WorkerLoop";
  const TDetailsView v = Format(text);
  ASSERT_EQ(v.Rows.size(), 8u);
  EXPECT_EQ(v.Rows[4].Colour, 0xFFFFFFu);
  EXPECT_FALSE(v.Rows[4].SectionStart);  // the empty row
  EXPECT_TRUE(v.Rows[5].SectionStart);
  EXPECT_EQ(v.Rows[6].Cells, (Cells{"77F01234", "", "ntdll.dll", "ntdll.c", "", "", "ZwWaitForSingleObject"}));
  EXPECT_EQ(v.Rows[1].Cells[6], "FileWordSum");  // the first thread keeps its columns
}

// The creator's calls below ">> created by" belong to the same trace, and a
// ">>" line not after an empty one opens no section.
TEST(CallStackFormat, CreatorCallsContinueTheTrace) {
  const std::string text =
      ">> worker ($2b8):\r\n"
      "00402200 Sorvenal.exe Worker.cpp    12 WorkerLoop\r\n"
      ">> created by main thread ($1a4) at:\r\n"
      "00401500 Sorvenal.exe FormMain.cpp 140 StartWorker";
  const TDetailsView v = Format(text);
  EXPECT_EQ(Titles(v), (Cells{"^address", "module", "unit", " line", "function"}));
  EXPECT_EQ(v.Rows[3].Cells, (Cells{"00401500", "Sorvenal.exe", "FormMain.cpp", "140", "StartWorker"}));
  EXPECT_FALSE(v.Rows[2].SectionStart);
}

TEST(CallStackFormat, ModuleRunsUpToTheUnit) {
  // A module name with a blank: the module cell takes both words.
  const std::string text =
      ">> t ($1):\r\n"
      "00401000 my app.exe  a.cpp 10 f\r\n"
      "00401010 my lib.dll  b.cpp 20 g";
  const TDetailsView v = Format(text);
  EXPECT_EQ(v.Rows[1].Cells, (Cells{"00401000", "my app.exe", "a.cpp", "10", "f"}));
}

TEST(CallStackFormat, InternalErrorFirstRowOpensNoSection) {
  const TDetailsView v = Format(">> internal error in call stack\r\n\r\n>> main thread ($1a4):\r\n00401000 a.exe");
  EXPECT_FALSE(v.Rows[0].SectionStart);
  EXPECT_TRUE(v.Rows[2].SectionStart);
}

TEST(CallStackFormat, UnknownCallsAndEmptyText) {
  const TDetailsView v = Format(">> main thread ($1a4):\r\n00999999 ???\r\n00401043 app.exe unit1.cpp 31 b");
  EXPECT_EQ(v.Rows[1].Cells[0], "00999999");
  EXPECT_EQ(v.Rows[1].Cells[1], "???");
  EXPECT_EQ(FormatCallStackView("").Rows.size(), 1u);
}

}  // namespace
}  // namespace quor
