// The devices of the "hardware" section, listed by the setup API.
#pragma once

#include <vector>

#include "report/lists/quorListHardware.h"

namespace quor {

// The present devices of every class, grouped and sorted; empty on the
// older family and when the setup API or one of its functions is missing.
[[nodiscard]] std::vector<HardwareClass> InstalledHardware();

}  // namespace quor
