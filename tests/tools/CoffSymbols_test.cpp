// The COFF symbol reader on a small program linked by the cross compiler:
// its functions, their addresses and source file, long section names, and
// symbol tables that do not fit the file.
#include "tools/CoffSymbols.h"

#include <gtest/gtest.h>

#include "tests/tools/SymbolsFixture.h"

namespace {

struct Linked {
  std::vector<uint8_t> file = fixture::Image(5);
  quor::TPeHeaders headers;
  bool ok = !file.empty() && quor::ReadPeHeaders(file.data(), file.size(), headers);
};

const sym::TCoffFunction* Find(const std::vector<sym::TCoffFunction>& functions, const std::string& name) {
  for (const sym::TCoffFunction& f : functions)
    if (f.Name == name) return &f;
  return nullptr;
}

TEST(CoffSymbols, FunctionsWithAddressesAndSourceFile) {
  Linked image;
  if (image.file.empty()) GTEST_SKIP() << "no i686 cross compiler";
  ASSERT_TRUE(image.ok);
  std::vector<sym::TCoffFunction> functions;
  ASSERT_TRUE(sym::ReadCoffFunctions(image.file, image.headers, functions));
  const sym::TCoffFunction* helper = Find(functions, "_helper");
  const sym::TCoffFunction* start = Find(functions, "_start");
  ASSERT_TRUE(helper && start);
  // helper is the first code of .text, start the entry point
  uint32_t text = 0;
  for (const quor::TPeSection& s : image.headers.Sections)
    if (sym::SectionName(image.file, image.headers, s) == ".text") text = s.VirtualAddress;
  EXPECT_EQ(helper->Address, image.headers.ImageBase + text);
  EXPECT_EQ(start->Address, image.headers.ImageBase + image.headers.EntryPoint);
  // the GNU assembler keeps 14 characters of the ".file" name (one
  // auxiliary entry); the DWARF lines have the whole name
  EXPECT_EQ(helper->ObjectFile, "symbols_fixtur");
  EXPECT_EQ(start->ObjectFile, "symbols_fixtur");
  EXPECT_EQ(Find(functions, "_twice"), nullptr);  // inlined, and static
}

TEST(CoffSymbols, LongSectionNamesFromTheStringTable) {
  Linked image;
  if (image.file.empty()) GTEST_SKIP() << "no i686 cross compiler";
  ASSERT_TRUE(image.ok);
  std::vector<std::string> names;
  for (const quor::TPeSection& s : image.headers.Sections) {
    names.push_back(sym::SectionName(image.file, image.headers, s));
    if (s.Name.size() <= 8 && s.Name[0] != '/') EXPECT_EQ(names.back(), s.Name);
  }
  for (const char* name : {".text", ".debug_line", ".debug_info", ".debug_abbrev"})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
}

TEST(CoffSymbols, TablesThatDoNotFitTheFile) {
  Linked image;
  if (image.file.empty()) GTEST_SKIP() << "no i686 cross compiler";
  ASSERT_TRUE(image.ok);
  const struct {
    const char* what;
    uint32_t table, count;
    size_t keep;  // bytes of the file kept
  } cases[] = {
      {"table behind the end", uint32_t(image.file.size()) + 4, image.headers.SymbolCount, image.file.size()},
      {"count too large", image.headers.SymbolTable, 0x10000000u, image.file.size()},
      {"file cut inside the table", image.headers.SymbolTable, image.headers.SymbolCount,
       image.headers.SymbolTable + 18 * 3 + 5},
      {"no table", 0, 0, image.file.size()},
  };
  for (const auto& c : cases) {
    quor::TPeHeaders headers = image.headers;
    headers.SymbolTable = c.table;
    headers.SymbolCount = c.count;
    const std::vector<uint8_t> file(image.file.begin(), image.file.begin() + c.keep);
    std::vector<sym::TCoffFunction> functions;
    EXPECT_FALSE(sym::ReadCoffFunctions(file, headers, functions) && !functions.empty()) << c.what;
  }
}

}  // namespace
