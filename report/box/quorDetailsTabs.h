// The tabs of the details view: "general" (the header fields), the call
// stack(s) (the first section and the thread sections after it, whose names
// hold "$"), then one tab per further section. Platform-free.
#pragma once

#include <string>
#include <vector>

#include "report/box/quorBoxReportPart.h"

namespace quor {

enum class TDetailsTabKind { General, CallStack, Section };

struct TDetailsTab {
  std::string Name;  // as shown
  TDetailsTabKind Kind = TDetailsTabKind::General;
  size_t First = 0, End = 0;  // the sections it shows

  bool operator==(const TDetailsTab&) const = default;
};

[[nodiscard]] std::vector<TDetailsTab> DetailsTabs(const std::vector<TBoxReportPart>& sections);

// The text a tab shows: "name<tab>value" lines for general; for the call
// stack each section as ">> name" and its text, an empty line between; else
// the section's text.
[[nodiscard]] std::string DetailsTabText(const TDetailsTab& tab, const std::vector<TBoxReportPart>& header,
                                         const std::vector<TBoxReportPart>& sections);

}  // namespace quor
