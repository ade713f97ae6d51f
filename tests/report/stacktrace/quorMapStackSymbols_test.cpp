// The symbol object behind the tracer's symbol interface: every question of
// the tracer answered from the module's symbols.
#include "report/stacktrace/quorMapStackSymbols.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

std::shared_ptr<const TMapFile> SampleMap(std::string minDebugInfo = {}) {
  auto map = std::make_shared<TMapFile>();
  map->Valid = true;
  map->CodeStart = 0x401000;
  map->CodeEnd = 0x403000;
  map->MinDebugInfo = std::move(minDebugInfo);
  map->Segments = {{1, 1, 0x401000, 0x800, "BrisquelFileUtil.cpp", 1}, {1, 1, 0x401800, 0x1800, "formmain.cpp", 0}};
  map->Publics = {{1, 1, "FileWordSum", 0x401000},
                  {1, 1, "Helper", 0x401100},
                  {1, 1, "TFormMain::Button_CalculateCheckSumClick", 0x401800}};
  map->Lines = {{10, 0x401000}, {12, 0x401010}, {20, 0x401100}};
  std::const_pointer_cast<TMapFile>(map)->Sort();
  return map;
}

TEST(StackSymbolsOf, NoSymbolsGiveNoObject) {
  EXPECT_EQ(StackSymbolsOf(nullptr), nullptr);
  EXPECT_EQ(StackSymbolsOf(std::make_shared<TMapFile>()), nullptr);  // not valid
}

TEST(StackSymbolsOf, AnswersByAddress) {
  const auto symbols = StackSymbolsOf(SampleMap());
  ASSERT_NE(symbols, nullptr);
  struct Case {
    uint32_t address;
    bool found;
    const char* name;
    uint32_t start;
    const char* unit;
    int32_t line;
  } cases[] = {
      {0x401000, true, "FileWordSum", 0x401000, "BrisquelFileUtil.cpp", 10},
      {0x401015, true, "FileWordSum", 0x401000, "BrisquelFileUtil.cpp", 12},
      {0x401120, true, "Helper", 0x401100, "BrisquelFileUtil.cpp", 20},
      {0x401900, true, "TFormMain::Button_CalculateCheckSumClick", 0x401800, "formmain.cpp", 0},  // unit without lines
      {0x400FFF, false, "", 0, "", 0},                                                            // before the code
  };
  for (const Case& c : cases) {
    std::string name;
    uint32_t start = 0;
    EXPECT_EQ(symbols->PublicAt(c.address, name, start), c.found) << std::hex << c.address;
    EXPECT_EQ(name, c.name) << std::hex << c.address;
    EXPECT_EQ(start, c.start) << std::hex << c.address;
    EXPECT_EQ(symbols->UnitAt(c.address), c.unit) << std::hex << c.address;
    EXPECT_EQ(symbols->LineAt(c.address), c.line) << std::hex << c.address;
  }
}

TEST(StackSymbolsOf, PublicAddressByUnitAndName) {
  const auto symbols = StackSymbolsOf(SampleMap());
  struct Case {
    const char* unit;
    const char* name;
    bool found;
    uint32_t address;
  } cases[] = {
      {"BrisquelFileUtil.cpp", "Helper", true, 0x401100},
      {"brisquelfileutil", "Helper", true, 0x401100},  // unit without case, ".cpp" retried
      {"BrisquelFileUtil.cpp", "helper", false, 0},    // the name as asked
      {"formmain.cpp", "Helper", false, 0},            // another unit
  };
  for (const Case& c : cases) {
    uint32_t address = 0;
    EXPECT_EQ(symbols->PublicAddress(c.unit, c.name, address), c.found) << c.unit << " " << c.name;
    if (c.found) EXPECT_EQ(address, c.address) << c.unit << " " << c.name;
  }
}

TEST(StackSymbolsOf, MinimalDebugInformation) {
  EXPECT_EQ(StackSymbolsOf(SampleMap())->MinDebugInfo(), "");
  EXPECT_EQ(StackSymbolsOf(SampleMap("3 units"))->MinDebugInfo(), "3 units");
}

}  // namespace
}  // namespace quor
