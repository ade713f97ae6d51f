// The symbol cache under Windows: this program carries its own symbols in
// its "EXCEPT" resource (written by the build step from its first link);
// a copy of that first link, which has none, reads a map file beside it.
#include "report/symbols/quorSymbolCache.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

constexpr int kKnownLine = __LINE__ + 1;
__attribute__((noinline)) int KnownFunction(int x) { return x * 3 + static_cast<int>(GetCurrentProcessId() & 1); }

namespace quor {
namespace {

uint32_t AddressOf(int (*function)(int)) { return uint32_t(reinterpret_cast<uintptr_t>(function)); }

TEST(SymbolCache, OwnFunctionFromTheResource) {
  TAddressSymbols symbols;
  ASSERT_TRUE(LookupAddress(AddressOf(KnownFunction) + 3, symbols));
  EXPECT_EQ(symbols.UnitName, "quorSymbolCache_test.cpp");
  EXPECT_EQ(symbols.FunctionName, "KnownFunction");
  EXPECT_EQ(symbols.FunctionStart, AddressOf(KnownFunction));
  EXPECT_TRUE(symbols.ModuleFile.ends_with("quorSymbolCache_test.exe")) << symbols.ModuleFile;
  TLineRange range;
  EXPECT_EQ(LineNumberForAddress(AddressOf(KnownFunction), range), kKnownLine);
  EXPECT_EQ(SymbolsForAddress(0), SymbolsForAddress(AddressOf(KnownFunction)));  // 0: this module
}

TEST(SymbolCache, HooksAndDisassemblyNames) {
  InstallSymbolHooks();
  ASSERT_NE(procNameHook, nullptr);
  EXPECT_EQ(procNameHook(AddressOf(KnownFunction) + 1), "quorSymbolCache_test.cpp.KnownFunction");
  EXPECT_EQ(procNameHook(0x10), "");  // no module there

  // The line hook answers inside the caller's last range without searching.
  TLineRange range;
  const int32_t line = lineNumberHook(AddressOf(KnownFunction), range);
  ASSERT_GT(line, 0);
  ASSERT_LT(range.Start, range.Next);
  range.Line = 99999;
  EXPECT_EQ(lineNumberHook(range.Start, range), 99999);

  TSymbolDisAsmNames names;
  std::string name, module;
  ASSERT_TRUE(names.FunctionName(AddressOf(KnownFunction), AddressOf(KnownFunction), name, module));
  EXPECT_EQ(name, "KnownFunction");
  EXPECT_EQ(module, "");
  EXPECT_FALSE(names.FunctionName(AddressOf(KnownFunction) + 1, AddressOf(KnownFunction), name, module));
}

// A ten-line map of one unit with one public at the start of the code.
void WriteMap(const std::string& path, const char* name) {
  std::ofstream(path, std::ios::binary)
      << " Start         Length     Name                   Class\r\n"
         " 0001:00401000 00001000H .text                   CODE\r\n"
         "\r\nDetailed map of segments\r\n\r\n"
         " 0001:00000000 00000400 C=CODE     S=.text    G=(none)   M=MapUnit   ACBP=A9\r\n"
         "\r\n  Address             Publics by Value\r\n\r\n"
      << " 0001:00000000       " << name << "\r\n"
      << "\r\nLine numbers for MapUnit(MapUnit.cpp) segment .text\r\n\r\n    42 0001:00000000\r\n";
}

void SetDate(const std::string& path, uint32_t day) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const uint64_t time = 132000000000000000ull + uint64_t(day) * 864000000000ull;
  FILETIME when{DWORD(time), DWORD(time >> 32)};
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &when));
  CloseHandle(file);
}

TEST(SymbolCache, MapFileBesideAModuleAndItsFileDate) {
  char folder[MAX_PATH];
  ASSERT_TRUE(GetTempPathA(MAX_PATH, folder));
  const std::string module = std::string(folder) + "quorSymbolCache_copy.exe";
  const std::string map = std::string(folder) + "quorSymbolCache_copy.map";
  ASSERT_TRUE(CopyFileA(QUOR_TEST_FIRST_LINK, module.c_str(), FALSE));
  WriteMap(map, "FirstName");
  SetDate(module, 1);

  HMODULE loaded = LoadLibraryExA(module.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  ASSERT_NE(loaded, nullptr);
  const uint32_t base = uint32_t(reinterpret_cast<uintptr_t>(loaded));
  auto first = SymbolsForAddress(base + 0x1000);
  ASSERT_TRUE(first && first->Valid);
  EXPECT_EQ(first->CodeStart, base + 0x1000);
  ASSERT_EQ(first->Publics.size(), 1u);
  EXPECT_EQ(first->Publics[0].Name, "FirstName");
  EXPECT_EQ(first->FindLine(base + 0x1004).Line, 42);
  EXPECT_EQ(SymbolsForAddress(base + 0x1000), first);  // same date: the cached object

  // The module file gets a new date: its symbols are read again.
  WriteMap(map, "SecondName");
  SetDate(module, 2);
  auto second = SymbolsForAddress(base + 0x1000);
  ASSERT_TRUE(second && second->Valid);
  EXPECT_NE(second, first);
  EXPECT_EQ(second->Publics.at(0).Name, "SecondName");
  EXPECT_EQ(first->Publics.at(0).Name, "FirstName");  // a holder keeps the old object

  FreeLibrary(loaded);
  DeleteFileA(module.c_str());
  DeleteFileA(map.c_str());
}

}  // namespace
}  // namespace quor
