// The text map reader, column by column, and the writer read back.
#include "report/symbols/quorMapText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quor {
namespace {

constexpr uint32_t kCode = 0x401000;

// Three segments: code (1), more code (2), data (3).
constexpr const char* kMap =
    "\r\n"
    " Start         Length     Name                   Class\r\n"
    " 0001:00401000 00001234H .text                   CODE\r\n"
    " 0002:00403000 00000100H .itext                  ICODE\r\n"
    " 0003:00404000 00000200H .data                   DATA\r\n"
    "\r\n"
    "Detailed map of segments\r\n"
    "\r\n"
    " 0001:00000000 00000100 C=CODE     S=.text    G=(none)   M=System   ACBP=A9\r\n"
    " 0001:00000102 00000050 C=CODE     S=.text    G=(none)   M=System   ACBP=A9\r\n"
    " 0001:00000200 00000100 C=CODE     S=.text    G=(none)   M=lib\\Forms   ACBP=A9\r\n"
    " 0001:00000400 00000100 C=CODE     S=.text    G=(none)   M=C:\\x=y|Grids ACBP=A9\r\n"
    " 0002:00000000 00000010 C=ICODE    S=.itext   G=(none)   M=System   ACBP=A9\r\n"
    " 0003:00000000 00000020 C=DATA     S=.data    G=DGROUP   M=System   ACBP=A9\r\n"
    " 0004:00000000 00000020 C=TLS      S=.tls     G=(none)   M=System   ACBP=A9\r\n"
    " 0000:00000000 00000020 C=ABS      S=.abs     G=(none)   M=System   ACBP=A9\r\n"
    " 0001:00000600 00000100 C=CODE M=Short ACBP=A9\r\n"
    "\r\n"
    "  Address             Publics by Value\r\n"
    "\r\n"
    " 0001:00000010       System.@Halt0\r\n"
    " 0001:00000210       Forms.TForm.Create(Self: TForm; AOwner: TComponent)\r\n"
    " 0002:00000004       System.@InitExe\r\n"
    " 0003:00000008       System.Data1\r\n"
    " 0001:00000300       Other.Thing\r\n"
    " 0004:00000000       Tls.Ignored\r\n"
    " 0001:0000XX00       Bad.Offset\r\n"
    "\r\n"
    "Line numbers for System(System.pas) segment .text\r\n"
    "\r\n"
    "    28 0001:00000010    29 0001:00000014    30 0002:00000004    31 0003:00000000\r\n"
    "    40 0001:00000020 bad 41 0001:00000030\r\n"
    "\r\n"
    "Line numbers for NoParentheses segment .text\r\n"
    "\r\n"
    "    50 0001:00000040\r\n"
    "\r\n"
    "Program entry point at 0001:00000210\r\n";

TMapFile Read(const std::string& text) {
  TMapFile map;
  EXPECT_TRUE(ReadMapText(text, kCode, map));
  return map;
}

TEST(ReadMapText, SegmentsFromTheDetailedMap) {
  const TMapFile map = Read(kMap);
  struct Expected {
    uint8_t code;
    uint32_t start, length;
    const char* unit;
  } expected[] = {{0, kCode + 0, 0x20, "System"},        // data segment 3: not code, no code length added
                  {1, kCode + 0, 0x152, "System"},       // the second line started 2 bytes after: merged
                  {1, kCode + 0x200, 0x100, "Forms"},    // text after the last "\"
                  {1, kCode + 0x400, 0x100, "Grids"},    // text after the last "|" (after a "=")
                  {1, kCode + 0x2000, 0x10, "System"}};  // segment 2: + 0x1234 rounded up to 0x2000
  ASSERT_EQ(map.Segments.size(), std::size(expected));
  for (size_t i = 0; i < map.Segments.size(); ++i) {
    EXPECT_EQ(map.Segments[i].Code, expected[i].code) << i;
    EXPECT_EQ(map.Segments[i].Start, expected[i].start) << i;
    EXPECT_EQ(map.Segments[i].Length, expected[i].length) << i;
    EXPECT_EQ(map.Segments[i].UnitName, expected[i].unit) << i;
  }
}

TEST(ReadMapText, PublicsWithUnitPrefixesRemoved) {
  const TMapFile map = Read(kMap);
  struct Expected {
    uint8_t code;
    uint32_t address;
    const char* name;
  } expected[] = {{1, kCode + 0x10, "@Halt0"},
                  {0, kCode + 0x08, "Data1"},
                  {1, kCode + 0x210, "TForm.Create"},  // parameters cut, then the prefix
                  {1, kCode + 0x300, "Other.Thing"},   // no segment holds it: name stays whole
                  {1, kCode + 0x2004, "@InitExe"}};
  ASSERT_EQ(map.Publics.size(), std::size(expected));
  for (const Expected& e : expected) {
    auto p = std::find_if(map.Publics.begin(), map.Publics.end(), [&](const TMfPublic& q) { return q.Name == e.name; });
    ASSERT_NE(p, map.Publics.end()) << e.name;
    EXPECT_EQ(p->Address, e.address) << e.name;
    EXPECT_EQ(p->Code, e.code) << e.name;
  }
}

TEST(ReadMapText, LineNumbersAndEntryPoint) {
  const TMapFile map = Read(kMap);
  ASSERT_EQ(map.Lines.size(), 4u);
  const TMfLine expected[] = {{28, kCode + 0x10}, {29, kCode + 0x14}, {40, kCode + 0x20}, {30, kCode + 0x2004}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(map.Lines[i].Line, expected[i].Line) << i;
    EXPECT_EQ(map.Lines[i].Address, expected[i].Address) << i;
  }
  EXPECT_EQ(map.EntryPoint, kCode + 0x210);
  EXPECT_TRUE(map.Valid);
}

std::string TwoSegmentMap(const std::string& textLine, const std::string& dataLine, const std::string& publicLine) {
  return " Start         Length     Name                   Class\n" + textLine + "\n" + dataLine +
         "\n\nDetailed map of segments\n\n"
         " 0001:00000000 00000100 C=CODE     S=.text    G=(none)   M=System   ACBP=A9\n"
         " 0002:00000800 00000100 C=CODE     S=.text    G=(none)   M=Second   ACBP=A9\n"
         "\n  Address             Publics by Value\n\n" +
         publicLine + "\n";
}

TEST(ReadMapText, SegmentTableColumnRules) {
  struct Case {
    const char* textLine;
    const char* dataLine;
    uint32_t secondStart;  // where segment 2's public lands (kCode-relative), or 0 when it is data
    uint8_t secondCode;
    const char* name;  // the name of "System.Proc" in segment 1
  } cases[] = {
      // data segment 2: segment 2 is data, names stay whole
      {" 0001:00401000 00001234H .text                   CODE", " 0002:00403000 00000100H .data                   DATA",
       0x810, 0, "System.Proc"},
      // data segment 3: segment 2 is code after the rounded code length
      {" 0001:00401000 00001234H .text                   CODE", " 0003:00403000 00000100H .data                   DATA",
       0x2810, 1, "Proc"},
      // a length of exactly 0x1000 stays 0x1000
      {" 0001:00401000 00001000H .text                   CODE", " 0003:00403000 00000100H .data                   DATA",
       0x1810, 1, "Proc"},
      // data segment numbers outside 2..9 become 2
      {" 0001:00401000 00001234H .text                   CODE", " 0012:00403000 00000100H .data                   DATA",
       0x810, 0, "System.Proc"},
      // a ".text" line without "H" at position 23 gives no code length
      {" 0001:00401000 00001234  .text                   CODE", " 0003:00403000 00000100H .data                   DATA",
       0x810, 1, "Proc"},
      // ".itext" is not ".text": the code length stays that of ".text"
      {" 0001:00401000 00001234H .text                   CODE\n 0002:00403000 00005000H .itext                  ICODE",
       " 0003:00404000 00000100H .data                   DATA", 0x2810, 1, "Proc"},
  };
  for (const Case& c : cases) {
    const TMapFile map = Read(
        TwoSegmentMap(c.textLine, c.dataLine, " 0001:00000010       System.Proc\n 0002:00000810       Second.Other"));
    SCOPED_TRACE(std::string(c.textLine) + " / " + c.dataLine);
    ASSERT_EQ(map.Publics.size(), 2u);
    const TMfPublic* second = nullptr;
    const TMfPublic* first = nullptr;
    for (const TMfPublic& p : map.Publics) (p.Name.ends_with("Other") ? second : first) = &p;
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Name, c.name);
    EXPECT_EQ(second->Address, kCode + c.secondStart);
    EXPECT_EQ(second->Code, c.secondCode);
  }
}

TEST(ReadMapText, NothingUsableIsNotValid) {
  for (const char* text : {"", "\n\n\n", "Detailed map of segments\n\n 0001:00000000 short line\n",
                           "  Address             Publics by Value\n\n 0001:0000001       X\n 0001\n"}) {
    TMapFile map;
    EXPECT_FALSE(ReadMapText(text, kCode, map)) << text;
    EXPECT_FALSE(map.Valid);
  }
}

TEST(WriteMapText, ReadsBackWhole) {
  TMapFile map;
  map.CodeStart = kCode;
  map.Segments = {{1, 1, kCode, 0x300, "Sorvenal.cpp", 0}, {1, 1, kCode + 0x300, 0x100, "formmain.cpp", 0}};
  map.Publics = {{1, 1, "wWinMain", kCode},
                 {1, 1, "Helper", kCode + 0x80},
                 {1, 1, "TMainForm::Button_CalculateCheckSumClick", kCode + 0x300}};
  for (uint32_t i = 0; i < 9; ++i) map.Lines.push_back({10 + i, kCode + i * 0x40});
  map.EntryPoint = kCode + 0x80;
  map.Sort();

  TMapFile back;
  ASSERT_TRUE(ReadMapText(WriteMapText(map, kCode), kCode, back));
  ASSERT_EQ(back.Segments.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back.Segments[i].Start, map.Segments[i].Start);
    EXPECT_EQ(back.Segments[i].Length, map.Segments[i].Length);
    EXPECT_EQ(back.Segments[i].UnitName, map.Segments[i].UnitName);
  }
  ASSERT_EQ(back.Publics.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(back.Publics[i].Name, map.Publics[i].Name);
    EXPECT_EQ(back.Publics[i].Address, map.Publics[i].Address);
  }
  ASSERT_EQ(back.Lines.size(), map.Lines.size());
  for (size_t i = 0; i < map.Lines.size(); ++i) {
    EXPECT_EQ(back.Lines[i].Line, map.Lines[i].Line);
    EXPECT_EQ(back.Lines[i].Address, map.Lines[i].Address);
  }
  EXPECT_EQ(back.EntryPoint, map.EntryPoint);
}

}  // namespace
}  // namespace quor
