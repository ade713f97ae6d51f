// The call-stack tab of the details view. The text holds one or more traces,
// each after its ">>" heading; every trace gets its own columns (address,
// relative address, module, unit, line, relative line, function, as far as
// it has them) and the list shows the union of all. Platform-free.
#pragma once

#include <string_view>

#include "report/box/quorDetailsModel.h"

namespace quor {

[[nodiscard]] TDetailsView FormatCallStackView(std::string_view text);

}  // namespace quor
