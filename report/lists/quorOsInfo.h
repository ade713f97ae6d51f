// The operating-system record of the running system, read once per process.
#pragma once

#include "report/text/quorOsVersion.h"

namespace quor {

// A copy of the record; its description is empty while the system's
// version cannot be read (then the next call tries again).
[[nodiscard]] TOS QueryOsInfo();

}  // namespace quor
