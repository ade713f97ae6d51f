// Owner of a module loaded with LoadLibrary: FreeLibrary at the end.
#pragma once

#include <windows.h>

#include "base/Owned.h"

namespace base {

using Library = Owned<NullIsEmpty<HMODULE, &FreeLibrary>>;

}  // namespace base
