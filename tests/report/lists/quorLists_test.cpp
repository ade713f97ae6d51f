// The plug-in registry (the setting's order, names without regard to case,
// removal of the first exact name, registration during a report) and the
// aligned texts of the "modules" and "processes" sections.
#include <gtest/gtest.h>

#include <thread>

#include "report/lists/quorListText.h"
#include "report/lists/quorReportPlugins.h"

namespace quor {
namespace {

ReportPlugin Named(const char* name, const char* text) {
  return {name, "", [text](void*) { return std::string(text); }, true};
}

std::vector<std::string> Names(const std::vector<ReportPlugin>& plugins) {
  std::vector<std::string> names;
  for (const ReportPlugin& p : plugins) names.push_back(p.name);
  return names;
}

TEST(ReportPlugins, TheSettingChoosesAndOrders) {
  AddReportPlugin(Named("hardware", "h"));
  AddReportPlugin(Named("processes", "p"));
  AddReportPlugin(Named("modules", "m"));
  using V = std::vector<std::string>;
  EXPECT_EQ(Names(ReportPluginsFor("modules|processes|hardware")), (V{"modules", "processes", "hardware"}));
  EXPECT_EQ(Names(ReportPluginsFor("HARDWARE||unknown|Modules")), (V{"hardware", "modules"}));
  EXPECT_EQ(Names(ReportPluginsFor("")), V{});
  EXPECT_EQ(ReportPluginsFor("processes").front().produce(nullptr), "p");
  // Removal is by the exact name, the first of equal ones.
  RemoveReportPlugin("Modules");
  EXPECT_EQ(Names(ReportPluginsFor("modules")), V{"modules"});
  for (const char* name : {"hardware", "processes", "modules"}) RemoveReportPlugin(name);
  EXPECT_EQ(Names(ReportPluginsFor("modules|processes|hardware")), V{});
}

TEST(ReportPlugins, RegisteringWhileReportsReadIsSafe) {
  std::thread writer([] {
    for (int i = 0; i < 2000; ++i) {
      AddReportPlugin(Named("extra", "x"));
      RemoveReportPlugin("extra");
    }
  });
  for (int i = 0; i < 2000; ++i)
    for (const ReportPlugin& p : ReportPluginsFor("extra")) EXPECT_EQ(p.produce(nullptr), "x");
  writer.join();
}

TEST(ListText, ModulesInAlignedColumns) {
  const std::string text = ModulesText({{0x400000, "C:\\app\\Sorvenal.exe", "1.0.0.3"},
                                        {0x7c800000, "C:\\windows\\system32\\kernel32.dll", ""},
                                        {0x7c900000, "ntdll.dll", "5.1.2600.5512"}});
  EXPECT_EQ(text,
            "00400000 Sorvenal.exe 1.0.0.3       C:\\app\r\n"
            "7c800000 kernel32.dll               C:\\windows\\system32\r\n"
            "7c900000 ntdll.dll    5.1.2600.5512 ");
  EXPECT_EQ(ModulesText({}), "");
}

TEST(ListText, PriorityTexts) {
  const struct {
    int32_t priority;
    const char* text;
  } cases[] = {{0x20, "normal"}, {0x40, "idle"},         {0x80, "high"}, {0x100, "realtime"},
               {0x4000, "below normal"}, {0x8000, "above normal"}, {0, ""}, {-1, ""}, {0x1234, "$1234"}};
  for (const auto& c : cases) EXPECT_EQ(PriorityText(c.priority), c.text) << c.priority;
}

TEST(ListText, ProcessesWithAndWithoutTheSessionColumn) {
  EXPECT_EQ(ProcessesText({{0, "Idle", 0, -1}, {0x1a4, "C:\\windows\\explorer.exe", 0, 0x20}}),
            "000 Idle                \r\n"
            "1a4 explorer.exe normal C:\\windows");
  EXPECT_EQ(ProcessesText({{4, "System", 0, 0x20}, {0x10, "C:\\x\\app.exe", 12, 0x8000}}),
            "04 System  0  normal       \r\n"
            "10 app.exe 12 above normal C:\\x");
}

}  // namespace
}  // namespace quor
