// The tabs of the details view and the texts they show.
#include "report/box/quorDetailsTabs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quor {
namespace {

std::vector<std::string> Names(const std::vector<TDetailsTab>& tabs) {
  std::vector<std::string> names;
  for (const TDetailsTab& t : tabs) names.push_back(t.Name);
  return names;
}

TEST(DetailsTabs, NamesFromTheSections) {
  struct Case {
    const char* name;
    std::vector<TBoxReportPart> sections;
    std::vector<std::string> tabs;
  } cases[] = {
      {"no sections", {}, {"general"}},
      {"one thread", {{"main thread ($1a4):", ""}, {"cpu registers", ""}, {"disassembling", ""}},
       {"general", "call stack", "cpu regs", "disasm"}},
      {"several threads",
       {{"main thread ($1a4):", ""}, {"thread $2b8:", ""}, {"thread $3c0:", ""}, {"modules", ""}},
       {"general", "call stacks", "modules"}},
      {"a '$' after another section is its own tab", {{"main thread ($1):", ""}, {"x", ""}, {"y $2", ""}},
       {"general", "call stack", "x", "y $2"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Names(DetailsTabs(c.sections)), c.tabs) << c.name;
}

TEST(DetailsTabs, Texts) {
  const std::vector<TBoxReportPart> header{{"date/time", "2026-12-11"}, {"exception message", "Range check error"}};
  const std::vector<TBoxReportPart> sections{
      {"main thread ($1a4):", "00401043 a.exe"}, {"thread $2b8:", "77f01234 ntdll.dll"}, {"modules", "00400000 a.exe"}};
  const std::vector<TDetailsTab> tabs = DetailsTabs(sections);
  ASSERT_EQ(tabs.size(), 3u);
  EXPECT_EQ(DetailsTabText(tabs[0], header, sections), "date/time\t2026-12-11\r\nexception message\tRange check error");
  EXPECT_EQ(DetailsTabText(tabs[1], header, sections),
            ">> main thread ($1a4):\r\n00401043 a.exe\r\n\r\n>> thread $2b8:\r\n77f01234 ntdll.dll");
  EXPECT_EQ(DetailsTabText(tabs[2], header, sections), "00400000 a.exe");
}

}  // namespace
}  // namespace quor
