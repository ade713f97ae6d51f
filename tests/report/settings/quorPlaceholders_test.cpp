#include "report/settings/quorPlaceholders.h"

#include <gtest/gtest.h>

namespace {

struct Values : quor::PlaceholderValues {
  int versionAsks = 0;
  std::string AppName() override { return "Sorvenal.exe"; }
  std::string ModuleName() override { return "plugin.dll"; }
  std::string AppVersion() override { return ++versionAsks, "1.0.0.0"; }
  std::string ModuleVersion() override { return "2.1"; }
  quor::LocalTime Now() override { return {2024, 3, 7, 9, 5, 4, 12}; }
};

TEST(ExpandPlaceholders, EveryPlaceholder) {
  const struct {
    const char* text;
    const char* msg;
    const char* expanded;
  } cases[] = {
      {"%appname% / %APPNAME%", "", "Sorvenal.exe / Sorvenal.exe"},
      {"The file \"%modname%\" seems to be corrupt!", "", "The file \"plugin.dll\" seems to be corrupt!"},
      {"v%AppVersion% m%modversion%", "", "v1.0.0.0 m2.1"},
      {"%exceptMsg%", "", "Unknown"},
      {"[%EXCEPTMSG%]", "Access violation", "[Access violation]"},
      {"%exceptMsg% %bugReport%", "%exceptMsg%", "%exceptMsg% REPORT"},
      {"a%LF%b", "", "a\r\nb"},
      {"%date%|%time%|%datetime%", "", "2024-03-07|09:05:04, 12ms|2024-03-07, 09:05:04, 12ms"},
      {"100% sure %", "", "100% sure %"},
  };
  for (const auto& c : cases) {
    Values v;
    EXPECT_EQ(quor::ExpandPlaceholders(c.text, v, c.msg, "REPORT"), c.expanded) << c.text;
  }
}

TEST(ExpandPlaceholders, VersionsAreAskedOnlyWhenUsed) {
  Values v;
  (void)quor::ExpandPlaceholders("%appname%", v, "", "");
  EXPECT_EQ(v.versionAsks, 0);
  (void)quor::ExpandPlaceholders("%appversion% %appversion%", v, "", "");
  EXPECT_EQ(v.versionAsks, 1);
}

TEST(VersionPlaceholderText, TextThenFileVersionThenQuestionMark) {
  const uint16_t version[4] = {3, 14, 0, 159};
  EXPECT_EQ(quor::VersionPlaceholderText("1.2 beta", version), "1.2 beta");
  EXPECT_EQ(quor::VersionPlaceholderText("", version), "3.14.0.159");
  EXPECT_EQ(quor::VersionPlaceholderText("", nullptr), "?");
}

}  // namespace
