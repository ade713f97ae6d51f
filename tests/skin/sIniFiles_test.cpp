#include "skin/sIniFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(IniFile, SectionsKeysCaseCommentsAndDuplicates) {
  const skin::TsIniFile ini(
      "; comment\r\n"
      "[GlobalInfo]\r\n"
      "Version = 4.81 \r\n"
      "[BUTTON]\n"
      "color=123\n"
      ";color=999\n"
      "COLOR=456\n"
      "no equals sign\n"
      "[]\n"
      "x=1\n"
      "[button]\n"
      "Extra=7\n"
      "[unterminated\n"
      "k=v=w\n");
  ASSERT_EQ(ini.Sections().size(), 4u);
  EXPECT_EQ(ini.Sections()[0].Name, "GlobalInfo");
  EXPECT_EQ(ini.ReadString("GLOBALINFO", "version", ""), "4.81");
  EXPECT_EQ(ini.ReadInteger("Button", "Color", 0), 123);  // the first of duplicate keys
  EXPECT_EQ(ini.ReadInteger("BUTTON", "EXTRA", 0), 7);    // a repeated section adds to the first
  EXPECT_EQ(ini.Sections()[2].Name, "");
  EXPECT_EQ(ini.ReadString("unterminated", "k", ""), "v=w");
  EXPECT_EQ(ini.ReadInteger("GLOBALINFO", "VERSION", -1), -1);  // not an integer: default
  EXPECT_FALSE(ini.Find("BUTTON", "missing"));
  EXPECT_FALSE(ini.Find("MISSING", "color"));
}

TEST(IniFile, KeysBeforeAnySectionAreIgnored) {
  const skin::TsIniFile ini("a=1\n[S]\nb=2");
  ASSERT_EQ(ini.Sections().size(), 1u);
  EXPECT_EQ(ini.Sections()[0].Keys.size(), 1u);
}

}  // namespace
