#include "skin/sSkinDirectory.h"

#include <gtest/gtest.h>

#include "tests/skin/SkinFixture.h"

namespace {

TEST(SkinDirectory, Resolution) {
  const struct {
    const char* dir;
    const char* app;
    const char* want;
  } cases[] = {
      {"..\\Skins", "C:\\App\\Bin\\", "C:\\App\\Skins\\"},
      {".\\Skins", "C:\\App\\Bin\\", "C:\\App\\Bin\\Skins\\"},
      {"./Skins", "C:\\App\\Bin\\", "C:\\App\\Bin\\Skins\\"},
      {"Skins", "C:\\App\\Bin\\", "C:\\App\\Bin\\Skins\\"},
      {"D:\\S/", "C:\\App\\Bin\\", "D:\\S\\"},
      {"c:\\Skins", "C:\\App\\Bin\\", "c:\\Skins\\"},
      {"\\\\server\\skins", "C:\\App\\Bin\\", "\\\\server\\skins\\"},
      {"C", "", "C:\\"},
      {"..", "C:\\App\\Bin\\", "C:\\App\\"},
      {"", "C:\\App\\Bin\\", "C:\\App\\Bin\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(skin::ResolveSkinDirectory(c.dir, c.app), c.want) << c.dir;
}

TEST(SkinDirectory, SkinNamesListInternalSkinsAndFoldersWithSkinFiles) {
  skintest::TempFolder dir;
  dir.Write("Zeta/Options.dat", "");
  dir.Write("Alpha/Options.dat", "");
  dir.Write(".hidden/Options.dat", "");
  dir.Write("NoSkin/readme.txt", "");
  skin::TsStoredSkins internal;
  internal.Add().Name = "Office12Style (internal)";
  internal.Add().Name = "GrayPlastic (internal)";
  std::vector<std::string> names;
  EXPECT_EQ(skin::GetSkinNames(internal, dir.Path(), skin::TsSkinFiles(), names), "Office12Style (internal)");
  EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "GrayPlastic (internal)", "Office12Style (internal)", "Zeta"}));
  const std::string first = skin::GetSkinNames(skin::TsStoredSkins(), dir.Path(), skin::TsSkinFiles(), names);
  EXPECT_TRUE(first == "Alpha" || first == "Zeta");
  EXPECT_EQ(skin::GetSkinNames(internal, dir.Path() + "missing\\", skin::TsSkinFiles(), names),
            "Office12Style (internal)");
  EXPECT_EQ(names.size(), 2u);
}

}  // namespace
