#include "report/box/quorDetailsTabs.h"

#include <string_view>

namespace quor {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

bool IsThreadSection(const TBoxReportPart& section) { return section.Name.find('$') != std::string::npos; }

// Short names for the two sections whose names do not fit a tab.
std::string TabName(const std::string& section) {
  if (section == "cpu registers") return "cpu regs";
  if (section == "disassembling") return "disasm";
  return section;
}

}  // namespace

std::vector<TDetailsTab> DetailsTabs(const std::vector<TBoxReportPart>& sections) {
  std::vector<TDetailsTab> tabs{{"general", TDetailsTabKind::General, 0, 0}};
  if (sections.empty()) return tabs;
  size_t end = 1;
  while (end < sections.size() && IsThreadSection(sections[end])) ++end;
  tabs.push_back({end > 1 ? "call stacks" : "call stack", TDetailsTabKind::CallStack, 0, end});
  for (size_t i = end; i < sections.size(); ++i)
    tabs.push_back({TabName(sections[i].Name), TDetailsTabKind::Section, i, i + 1});
  return tabs;
}

std::string DetailsTabText(const TDetailsTab& tab, const std::vector<TBoxReportPart>& header,
                           const std::vector<TBoxReportPart>& sections) {
  std::string text;
  switch (tab.Kind) {
    case TDetailsTabKind::General:
      for (const TBoxReportPart& field : header) {
        if (!text.empty()) text += kLineBreak;
        text += field.Name + '\t' + field.Text;
      }
      break;
    case TDetailsTabKind::CallStack:
      for (size_t i = tab.First; i < tab.End && i < sections.size(); ++i) {
        if (i > tab.First) text.append(kLineBreak).append(kLineBreak);
        text += ">> " + sections[i].Name;
        text.append(kLineBreak).append(sections[i].Text);
      }
      break;
    case TDetailsTabKind::Section:
      if (tab.First < sections.size()) text = sections[tab.First].Text;
      break;
  }
  return text;
}

}  // namespace quor
