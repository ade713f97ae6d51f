// Readable function names from the names the tool chain stores.
#include "tools/ImageSymbols.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadableName, DemanglesAndDropsDecorations) {
  const struct {
    const char* stored;
    const char* readable;
  } cases[] = {
      {"_main", "main"},
      {"_WinMain@16", "WinMain"},
      {"@FastFunction@8", "FastFunction"},
      {"__ZN2tk15RaiseRangeErrorEv", "tk::RaiseRangeError"},
      // C++ stdcall functions carry the argument size after the mangled name.
      {"__ZN2tk14ToolkitWndProcEP6HWND__jjl@16", "tk::ToolkitWndProc"},
      {"_name@with@text", "name@with@text"},
      {"__Zbroken", "_Zbroken"},
  };
  for (const auto& c : cases) EXPECT_EQ(sym::ReadableName(c.stored), c.readable) << c.stored;
}

}  // namespace
