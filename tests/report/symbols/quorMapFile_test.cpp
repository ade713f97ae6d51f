// Lookups of a symbol table by address and by name.
#include "report/symbols/quorMapFile.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TMapFile SampleMap() {
  TMapFile map;
  map.CodeStart = 0x401000;
  map.CodeEnd = 0x403000;
  map.Segments = {{1, 1, 0x401000, 0x800, "Main.cpp", 0},
                  {1, 1, 0x401800, 0x800, "Util", 1},
                  {1, 1, 0x402000, 0x1000, "Form.h", 0},
                  {1, 0, 0x404000, 0x100, "Main.cpp", 0}};
  map.Publics = {{1, 1, "Start", 0x401000},  {1, 1, "Helper", 0x401100}, {1, 1, "Alias", 0x401100},
                 {1, 1, "Twice", 0x401900},  {1, 1, "Paint", 0x402000},  {1, 1, "paint", 0x402100},
                 {1, 0, "Counter", 0x404010}};
  map.Lines = {{10, 0x401000}, {12, 0x401010}, {20, 0x401100}, {7, 0x402000}};
  map.Sort();
  return map;
}

TEST(TMapFile, SegmentByAddressAndKind) {
  const TMapFile map = SampleMap();
  EXPECT_EQ(map.FindSegment(0x4017FF)->UnitName, "Main.cpp");
  EXPECT_EQ(map.FindSegment(0x401800)->UnitName, "Util");
  EXPECT_EQ(map.FindSegment(0x404050, false)->UnitName, "Main.cpp");
  EXPECT_EQ(map.FindSegment(0x404050, true), nullptr);
  EXPECT_EQ(map.FindSegment(0x400FFF), nullptr);
  EXPECT_EQ(map.FindSegment(0x403000), nullptr);
}

TEST(TMapFile, PublicByAddress) {
  const TMapFile map = SampleMap();
  struct Case {
    uint32_t address;
    const char* name;
  } cases[] = {{0x401000, "Start"},
               {0x4010FF, "Start"},
               {0x401100, "Helper"},  // first of two at one address
               {0x402FFF, "paint"} /* below the next public */};
  for (const Case& c : cases) {
    const TMfPublic* found = map.FindPublic(c.address);
    ASSERT_NE(found, nullptr) << std::hex << c.address;
    EXPECT_EQ(found->Name, c.name) << std::hex << c.address;
  }
  EXPECT_EQ(map.FindPublic(0x400FFF), nullptr);
  // After the last public and beyond the code end: nothing.
  EXPECT_EQ(map.FindPublic(0x404020), nullptr);
}

TEST(TMapFile, PublicByAddressStopsAtTheCodeEndAfterTheLastPublic) {
  TMapFile map = SampleMap();
  map.Publics.pop_back();  // "paint" at 0x402100 is now the last
  EXPECT_EQ(map.FindPublic(0x402FFF)->Name, "paint");
  EXPECT_EQ(map.FindPublic(0x403000), nullptr);
}

TEST(TMapFile, LineByAddressStaysInsideItsUnit) {
  const TMapFile map = SampleMap();
  struct Case {
    uint32_t address;
    int32_t line;
    uint32_t next;
  } cases[] = {{0x401000, 10, 0x401010}, {0x40100F, 10, 0x401010}, {0x401010, 12, 0x401100},
               {0x401200, 20, 0x401800},  // the unit's last line ends with its segment
               {0x401900, -1, 0},         // unit with the has-lines flag, no entry inside it
               {0x402001, 7, 0x403000},  {0x404000, 0, 0},         {0x400000, 0, 0}};
  for (const Case& c : cases) {
    const TLineAnswer answer = map.FindLine(c.address);
    EXPECT_EQ(answer.Line, c.line) << std::hex << c.address;
    if (c.line > 0) EXPECT_EQ(answer.Next, c.next) << std::hex << c.address;
  }
}

TEST(TMapFile, PublicAddressByUnitAndName) {
  const TMapFile map = SampleMap();
  struct Case {
    const char* unit;
    const char* name;
    bool code, ignoreCase, found;
    uint32_t address;
  } cases[] = {{"main.CPP", "Helper", true, false, true, 0x401100},  // unit names ignore case
               {"Main.cpp", "helper", true, false, false, 0},        // public names as asked
               {"Main.cpp", "helper", true, true, true, 0x401100},
               {"Main", "Alias", true, false, true, 0x401100},  // retried as "Main.cpp"
               {"Form", "paint", true, false, true, 0x402100},  // ".cpp" fails, ".h" finds it
               {"Form", "PAINT", true, true, true, 0x402000},
               {"Main.c", "Start", true, false, false, 0},  // has a "." : no retries
               {"Util", "Twice", true, false, true, 0x401900},
               {"Util", "Start", true, false, false, 0},           // public of another unit
               {"Main", "Counter", false, false, true, 0x404010},  // data segment of the unit
               {"Main", "Counter", true, false, false, 0}};
  for (const Case& c : cases) {
    uint32_t address = 0;
    EXPECT_EQ(map.FindPublicAddress(c.unit, c.name, c.code, c.ignoreCase, address), c.found) << c.unit << " " << c.name;
    if (c.found) EXPECT_EQ(address, c.address) << c.unit << " " << c.name;
  }
}

TEST(TMapFile, UnitWithSeveralSegmentsIsSearchedWhole) {
  TMapFile map = SampleMap();
  map.Segments.push_back({1, 1, 0x402800, 0x100, "Util", 0});
  map.Publics.push_back({1, 1, "Late", 0x402810});
  map.Sort();
  uint32_t address = 0;
  EXPECT_TRUE(map.FindPublicAddress("Util", "Late", true, false, address));
  EXPECT_EQ(address, 0x402810u);
}

}  // namespace
}  // namespace quor
