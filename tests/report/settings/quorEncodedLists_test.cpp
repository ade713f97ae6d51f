#include "report/settings/quorEncodedLists.h"

#include <gtest/gtest.h>

#include "report/settings/quorAssistantDefinition.h"

namespace {

TEST(AddAttachs, EntriesFillTheirMissingParts) {
  const struct {
    const char* text;
    const char* encoded;  // the entries written back
  } cases[] = {
      {"C:\\logs\\trace.txt", "C:\\logs\\trace.txt>trace.txt>>trace"},
      {"/tmp/a.b.c>>z.zip", "/tmp/a.b.c>a.b.c>z.zip>a"},
      {"x.log>sent.dat>>field", "x.log>sent.dat>>field"},
      {">only.txt|a|", "a>a>>a"},  // no source file: skipped
      {"", ""},
      {"f>s>z>n>extra", "f>s>z>n"},
  };
  for (const auto& c : cases) EXPECT_EQ(quor::EncodeAddAttachs(quor::DecodeAddAttachs(c.text)), c.encoded) << c.text;
}

TEST(AddFields, NameValuePairs) {
  const auto fields = quor::DecodeAddFields("A=1| B =x=y|=skipped||NoValue");
  const std::vector<std::pair<std::string, std::string>> expected = {{"A", "1"}, {"B", "x=y"}, {"NoValue", ""}};
  EXPECT_EQ(fields, expected);
  EXPECT_EQ(quor::EncodeAddFields(fields), "A=1|B=x=y|NoValue=");
}

TEST(PluginList, SwitchingOnAndOff) {
  const struct {
    const char* list;
    const char* name;
    bool on;
    const char* after;
  } cases[] = {
      {"modules|processes|hardware", "hardware", false, "modules|processes"},
      {"modules|processes|hardware", "modules", true, "modules|processes|hardware"},
      {"modules|processes|hardware", "Processes", false, "modules|hardware"},
      {"", "modules", true, "modules"},
      {"modules", "MODULES", false, ""},
      {"a|b", "", true, "a|b"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(quor::PluginListSet(c.list, c.name, c.on), c.after) << c.list << " " << c.name;
    EXPECT_EQ(quor::PluginListHas(c.after, c.name), c.on && *c.name);
  }
}

TEST(ClassList, BlanksAroundNamesIgnored) {
  EXPECT_EQ(quor::SplitClassList(" EDBEditError ,EMine,, "), (std::vector<std::string>{"EDBEditError", "EMine"}));
}

TEST(AssistantDefinition, NameTitleForms) {
  auto d = quor::ParseAssistantDefinition("SendAssistant|Send Assistant|ContactForm|DetailsForm|ScrShotForm");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->name, "SendAssistant");
  EXPECT_EQ(d->title, "Send Assistant");
  quor::DropScreenshotForm(*d);
  EXPECT_EQ(d->forms, (std::vector<std::string>{"ContactForm", "DetailsForm"}));
  EXPECT_FALSE(quor::ParseAssistantDefinition("OnlyName|Title"));
  EXPECT_FALSE(quor::ParseAssistantDefinition(""));
}

}  // namespace
