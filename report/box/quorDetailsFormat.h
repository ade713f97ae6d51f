// Turns the text of a details tab into what the view shows: the formatter is
// chosen by the tab and its section's name, then the rows are cut into
// cells. Platform-free.
#pragma once

#include <string_view>

#include "report/box/quorDetailsModel.h"
#include "report/box/quorDetailsTabs.h"

namespace quor {

// `sectionName`: the report section a Section tab shows (not its tab name).
[[nodiscard]] TDetailsView FormatDetails(TDetailsTabKind kind, std::string_view sectionName, std::string_view text);

}  // namespace quor
