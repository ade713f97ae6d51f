// The DWARF line reader on small programs linked by the cross compiler with
// DWARF versions 2, 4 and 5: rows, files, end of sequence; and every cut of
// a line section read without fault.
#include "tools/DwarfLines.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/tools/SymbolsFixture.h"

namespace {

struct Lines {
  std::vector<uint8_t> file;
  quor::TPeHeaders headers;
  std::string_view line, lineStr, str;
  explicit Lines(int version) : file(fixture::Image(version)) {
    if (file.empty() || !quor::ReadPeHeaders(file.data(), file.size(), headers)) return;
    line = fixture::Section(file, headers, ".debug_line");
    lineStr = fixture::Section(file, headers, ".debug_line_str");
    str = fixture::Section(file, headers, ".debug_str");
  }
  uint32_t Address(uint32_t rva) const { return headers.ImageBase + rva; }
};

TEST(DwarfLines, RowsOfEachVersion) {
  for (int version : {2, 4, 5}) {
    Lines l(version);
    if (l.file.empty()) GTEST_SKIP() << "no i686 cross compiler";
    ASSERT_FALSE(l.line.empty()) << version;
    sym::TLineTable table;
    ASSERT_TRUE(sym::ReadDwarfLines(l.line, l.lineStr, l.str, table)) << version;
    ASSERT_GE(table.Rows.size(), 4u) << version;
    // helper starts .text on its line 5; start, the entry point, on line 11
    const sym::TLineRow& first = table.Rows.front();
    EXPECT_EQ(first.Line, 5u) << version;
    ASSERT_LT(first.File, table.Files.size()) << version;
    const std::string& name = table.Files[first.File];
    EXPECT_EQ(name.substr(name.size() - 17), "symbols_fixture.c") << version;
    const uint32_t entry = l.Address(l.headers.EntryPoint);
    bool entryRow = false;
    std::set<uint32_t> lines;
    for (const sym::TLineRow& row : table.Rows) {
      if (row.EndSequence) continue;
      lines.insert(row.Line);
      entryRow = entryRow || (row.Address == entry && row.Line == 11);
      EXPECT_GE(row.Address, first.Address) << version;
    }
    EXPECT_TRUE(entryRow) << version;
    for (uint32_t n : lines) EXPECT_TRUE(n >= 3 && n <= 11) << version << " line " << n;
    EXPECT_TRUE(table.Rows.back().EndSequence) << version;
    EXPECT_GT(table.Rows.back().Address, entry) << version;
  }
}

TEST(DwarfLines, EveryCutOfTheSection) {
  for (int version : {2, 4, 5}) {
    Lines l(version);
    if (l.file.empty()) GTEST_SKIP() << "no i686 cross compiler";
    sym::TLineTable whole;
    ASSERT_TRUE(sym::ReadDwarfLines(l.line, l.lineStr, l.str, whole));
    for (size_t cut = 0; cut < l.line.size(); ++cut) {
      sym::TLineTable table;
      const bool ok = sym::ReadDwarfLines(l.line.substr(0, cut), l.lineStr, l.str, table);
      // a cut unit is malformed; only the empty section reads as no units
      EXPECT_EQ(ok, cut == 0) << version << " cut " << cut;
      ASSERT_LE(table.Rows.size(), whole.Rows.size()) << version << " cut " << cut;
    }
  }
}

}  // namespace
