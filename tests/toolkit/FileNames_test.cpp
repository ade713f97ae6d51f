#include "toolkit/FileNames.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, Validity) {
  const struct {
    std::string name;
    bool valid;
  } cases[] = {
      {"C:\\Data\\a.bin", true},  {"a", true},       {"C:\\Data\\", true},    {"\xC3\xA9t\xC3\xA9.txt", true},
      {"", false},                {"a<b", false},    {"a>b", false},          {"a\"b", false},
      {"a|b", false},             {"a*", false},     {"a?", false},           {"C:/Data", false},
      {"a\tb", false},            {"a\r\nb", false}, {std::string("a\0b", 3), false}, {"\x1f", false},
      {std::string(300, 'x'), true},
  };
  for (const auto& c : cases) EXPECT_EQ(tk::ValidFileName(c.name), c.valid) << c.name;
}

TEST(FileNames, PartsAndOneLineText) {
  EXPECT_EQ(tk::ExtractFilePath("C:\\Data\\a.bin"), "C:\\Data\\");
  EXPECT_EQ(tk::ExtractFileName("C:\\Data\\a.bin"), "a.bin");
  EXPECT_EQ(tk::ExtractFilePath("C:a.bin"), "C:");
  EXPECT_EQ(tk::ExtractFileName("C:\\Data\\"), "");
  EXPECT_EQ(tk::ExtractFilePath("a.bin"), "");
  EXPECT_EQ(tk::OneLineText("C:\\a\r\n.bin\t"), "C:\\a.bin");
  EXPECT_EQ(tk::OneLineText("\xC3\xA9"), "\xC3\xA9");  // UTF-8 bytes stay
}

}  // namespace
