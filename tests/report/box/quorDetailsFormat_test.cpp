// The formatter of each tab on texts our reporter writes: registers, stack
// dump, modules, processes, disassembly, and the automatic layouts.
#include "report/box/quorDetailsFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/box/quorDetailsCells.h"
#include "report/text/quorReportSections.h"

namespace quor {
namespace {

std::vector<std::string> Titles(const TDetailsView& v) {
  std::vector<std::string> titles;
  for (const TDetailsColumn& c : v.Columns)
    titles.push_back((c.UpperCase ? "^" : "") + std::string(c.RightAligned ? " " : "") + c.Title);
  return titles;
}

TDetailsView Section(const char* name, const std::string& text) {
  return FormatDetails(TDetailsTabKind::Section, name, text);
}

using Cells = std::vector<std::string>;

TEST(DetailsFormat, CpuRegistersAsOurReporterWritesThem) {
  TCpuRegisters r;
  r.Eax = 0x12ff40, r.Eip = 0x401063, r.Ebp = 0xdeadbeef;
  const TDetailsView v = Section("cpu registers", CpuRegistersText(r));
  EXPECT_EQ(Titles(v), (Cells{"reg.", "content"}));
  EXPECT_TRUE(v.FixedFont);
  EXPECT_FALSE(v.HideHeaders);
  ASSERT_EQ(v.Rows.size(), 9u);
  EXPECT_EQ(v.Rows[0].Cells, (Cells{"eax", "0012ff40"}));
  EXPECT_EQ(v.Rows[8].Cells, (Cells{"ebp", "deadbeef"}));
}

TEST(DetailsFormat, StackDumpAtItsFixedPositions) {
  std::vector<uint8_t> bytes(24);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>('A' + i);
  const TDetailsView v = Section("stack dump", StackDumpText(0x120fe0, bytes));
  EXPECT_EQ(Titles(v), (Cells{"address", "data - hexadecimal", "data - chars"}));
  EXPECT_TRUE(v.FixedFont);
  ASSERT_EQ(v.Rows.size(), 2u);
  EXPECT_EQ(v.Rows[0].Cells, (Cells{"00120fe0", "41 42 43 44 45 46 47 48 - 49 4a 4b 4c 4d 4e 4f 50",
                                    "ABCDEFGHIJKLMNOP"}));
  EXPECT_EQ(v.Rows[1].Cells, (Cells{"00120ff0", "51 52 53 54 55 56 57 58", "QRSTUVWX"}));
}

TEST(DetailsFormat, ModulesWithUpperCaseHandlesAndRightAlignedVersions) {
  const std::string text =
      "00400000 Sorvenal.exe 1.2.0.7  C:\\Program Files\\Brisquel\r\n"
      "77000000 user32.dll   6.1.7601 C:\\windows\\system32\r\n"
      "7c800000 kernel32.dll 6.1.7601 C:\\windows\\system32";
  const TDetailsView v = Section("modules", text);
  EXPECT_EQ(Titles(v), (Cells{"^handle", "file name", " version", "path"}));
  EXPECT_FALSE(v.FixedFont);
  ASSERT_EQ(v.Rows.size(), 3u);
  EXPECT_EQ(v.Rows[0].Cells, (Cells{"00400000", "Sorvenal.exe", "1.2.0.7", "C:\\Program Files\\Brisquel"}));
  EXPECT_EQ(v.Rows[2].Cells, (Cells{"7C800000", "kernel32.dll", "6.1.7601", "C:\\windows\\system32"}));
}

// The processes list has a session column only when some process runs in a
// session other than 0; the titles follow the columns the text has.
TEST(DetailsFormat, ProcessesTitlesFollowTheSessionColumn) {
  const std::string four =
      "004 System       realtime     \r\n"
      "1a8 smss.exe     normal       C:\\windows\\system32\r\n"
      "7f0 Sorvenal.exe below normal C:\\Program Files\\Brisquel";
  const TDetailsView v4 = Section("processes", four);
  EXPECT_EQ(Titles(v4), (Cells{"^id", "file name", "priority", "path"}));
  EXPECT_EQ(v4.Rows[2].Cells, (Cells{"7F0", "Sorvenal.exe", "below normal", "C:\\Program Files\\Brisquel"}));
  EXPECT_EQ(v4.Rows[0].Cells, (Cells{"004", "System", "realtime", ""}));

  const std::string five =
      "004 System       0 realtime     \r\n"
      "1a8 smss.exe     0 normal       C:\\windows\\system32\r\n"
      "7f0 Sorvenal.exe 1 below normal C:\\Program Files\\Brisquel";
  const TDetailsView v5 = Section("processes", five);
  EXPECT_EQ(Titles(v5), (Cells{"^id", "file name", "session", "priority", "path"}));
  EXPECT_EQ(v5.Rows[2].Cells, (Cells{"7F0", "Sorvenal.exe", "1", "below normal", "C:\\Program Files\\Brisquel"}));
}

TEST(DetailsFormat, GeneralCutsAtTheTab) {
  const TDetailsView v = FormatDetails(TDetailsTabKind::General, "", "date/time\t2026-12-11\r\nexception message\tRange check error");
  EXPECT_EQ(Titles(v), (Cells{"description", "value"}));
  EXPECT_EQ(v.Rows[1].Cells, (Cells{"exception message", "Range check error"}));
}

// The disassembly as the disassembler writes it: the function's name, labels
// in the first column, the current instruction marked with ">" at offset 9.
TEST(DetailsFormat, DisassemblyMarksTheCurrentInstruction) {
  const std::string text =
      "public Unit1.Switch\r\n"
      "Unit1.Switch:                    ; function entry point\r\n"
      "00401000   push    $401020                 ; 'Hello world'\r\n"
      "00401005 > call    $76bffff6 ($77001000)   ; MessageBoxA (user32.dll)\r\n"
      "; ---------------------------------------------------------\r\n"
      "loc_0040100f:\r\n"
      "0040100f   xor     eax, eax";
  const TDetailsView v = Section("disassembling", text);
  EXPECT_EQ(Titles(v), (Cells{"address", "asm code", "comments"}));
  EXPECT_TRUE(v.FixedFont);
  ASSERT_EQ(v.Rows.size(), 7u);
  EXPECT_EQ(v.Rows[0].Cells, (Cells{"", "public Unit1.Switch", ""}));
  EXPECT_EQ(v.Rows[1].Cells, (Cells{"", "Unit1.Switch:", "; function entry point"}));
  EXPECT_EQ(v.Rows[2].Cells, (Cells{"00401000", "\xA0 push    $401020", "; 'Hello world'"}));
  EXPECT_EQ(v.Rows[2].Colour, 0u);
  EXPECT_EQ(v.Rows[3].Cells, (Cells{"00401005", "\xA0 call    $76bffff6 ($77001000)", "; MessageBoxA (user32.dll)"}));
  EXPECT_EQ(v.Rows[3].Colour, 0xD0D0FFu);
  EXPECT_EQ(v.Rows[4].Cells, (Cells{"", "; " + std::string(57 - 28, '-'), ""}));
  EXPECT_EQ(v.Rows[5].Cells, (Cells{"", "loc_0040100f:", ""}));
}

TEST(DetailsFormat, DisassemblyWithALineColumn) {
  const std::string text =
      "00401000 100    push    ebp\r\n"
      "00401001      > mov     ebp, esp\r\n"
      "00401003 101    ret";
  const TDetailsView v = Section("disassembling", text);
  EXPECT_EQ(Titles(v), (Cells{"address", "line", "asm code", "comments"}));
  EXPECT_EQ(v.Rows[0].Cells, (Cells{"00401000", "100", "\xA0 push    ebp", ""}));
  EXPECT_EQ(v.Rows[1].Cells, (Cells{"00401001", "", "\xA0 mov     ebp, esp", ""}));
  EXPECT_EQ(v.Rows[1].Colour, 0xD0D0FFu);
}

struct AutoCase {
  const char* name;
  std::string text;
  bool list;
  Cells titles;
  bool hideHeaders;
  Cells firstRow;
};

TEST(DetailsFormat, AutomaticLayouts) {
  const std::string longLine = "k " + std::string(79, 'x');  // the reference line
  const AutoCase cases[] = {
      {"blank-separated columns", "alpha  1\r\nbeta   2", true, {"", ""}, true, {"alpha", "1"}},
      {"tab-separated, the widest line counts", "a\tb\r\nc\td\te", true, {"", "", ""}, true, {"a", "b", ""}},
      {"titled", "^name\t value\r\nx\t1\r\ny\t2", true, {"^name", " value"}, false, {"X", "1"}},
      {"a single line is raw text", "just one line", false, {}, true, {}},
      {"too many long lines are raw text", "a b\r\n" + longLine + "\r\nc d\r\n" + longLine, false, {}, true, {}},
      {"one long line in five is still a list", "a b\r\n" + longLine + "\r\nc d\r\ne f\r\ng h\r\ni j", true,
       {"", ""}, true, {"a", "b"}},
  };
  for (const AutoCase& c : cases) {
    const TDetailsView v = Section("hardware", c.text);
    ASSERT_EQ(v.IsList(), c.list) << c.name;
    if (!c.list) continue;
    EXPECT_EQ(Titles(v), c.titles) << c.name;
    EXPECT_EQ(v.HideHeaders, c.hideHeaders) << c.name;
    EXPECT_EQ(v.Rows[0].Cells, c.firstRow) << c.name;
  }
}

TEST(DetailsFormat, ChangeListKeepsIndentationAndColoursAdditions) {
  const TDetailsView v = Section("changes", "+ added\r\n  - removed\r\n+ more");
  ASSERT_TRUE(v.IsList());
  EXPECT_EQ(v.Columns.size(), 1u);
  EXPECT_TRUE(v.FixedFont);
  EXPECT_TRUE(v.HideHeaders);
  EXPECT_EQ(v.Rows[0].Colour, 0xFFF8F0u);
  EXPECT_EQ(v.Rows[1].Colour, 0u);
  EXPECT_EQ(v.Rows[1].Cells[0], "\xA0\xA0- removed");
}

// The text decides before the tab: a step that failed writes its internal
// error, a pending one says what it will be.
TEST(DetailsFormat, TextPrefixesChooseTheFormatter) {
  const TDetailsView failed = Section("modules", ">> internal error in modules\r\n00400000 a.exe");
  EXPECT_EQ(Titles(failed)[0], "^address");
  EXPECT_FALSE(failed.Rows[0].SectionStart);
  const TDetailsView pending = Section("cpu registers", ">> will be\r\ncomputed later");
  EXPECT_TRUE(pending.HideHeaders);
  EXPECT_EQ(Titles(pending), (Cells{"", ""}));
}

TEST(DetailsFormat, SectionRowsKeepOnlyTheMarkInTheirCells) {
  const TDetailsView v = Section("modules", ">> partial list\r\n00400000 a.exe 1.0 C:\\x\r\n00500000 b.dll 2.0 C:\\y");
  ASSERT_EQ(v.Rows.size(), 3u);
  EXPECT_EQ(v.Rows[0].Cells, (Cells{">>", "", "", ""}));
  EXPECT_EQ(v.Rows[0].Text, ">> partial list");
}

// Control characters at the ends of a cell go; the last column takes the rest.
TEST(DetailsFormat, CellsTrimmedOfControlCharacters) {
  TDetailsView v;
  v.Columns = ColumnsFromTitles("a|^b");
  v.Rows.push_back({" \x01one\x02 \t\x1ftwo\tthree\x7f", {}, 0, false});
  v.Rows.push_back({"lonely", {}, 0, false});
  SplitCells(v);
  EXPECT_EQ(v.Rows[0].Cells, (Cells{"one", "TWO\tTHREE"}));
  EXPECT_EQ(v.Rows[1].Cells, (Cells{"lonely", ""}));
}

}  // namespace
}  // namespace quor
