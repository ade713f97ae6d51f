// Owners of memory the system hands out: mapped views of a file mapping
// (UnmapViewOfFile) and global memory blocks (GlobalFree).
#pragma once

#include <windows.h>

#include "base/Owned.h"

namespace base {

using MappedView = Owned<NullIsEmpty<void*, &UnmapViewOfFile>>;
using GlobalMemory = Owned<NullIsEmpty<HGLOBAL, &GlobalFree>>;

}  // namespace base
