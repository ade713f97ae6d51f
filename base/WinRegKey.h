// Owner of an open registry key: RegCloseKey at the end.
#pragma once

#include <windows.h>

#include "base/Owned.h"

namespace base {

using RegKey = Owned<NullIsEmpty<HKEY, &RegCloseKey>>;

}  // namespace base
