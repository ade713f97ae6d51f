// Owner of a windows hook (SetWindowsHookEx), removed when the owner ends.
#pragma once

#include <windows.h>

#include "base/Owned.h"

namespace base {

using HookHandle = Owned<NullIsEmpty<HHOOK, &UnhookWindowsHookEx>>;

}  // namespace base
