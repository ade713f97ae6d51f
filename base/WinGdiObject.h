// Owners of GDI objects (pens, brushes, fonts, bitmaps: DeleteObject) and of
// memory DCs from CreateCompatibleDC (DeleteDC). An object is deleted only
// when no DC has it selected: declare the owner before the selection.
#pragma once

#include <windows.h>

#include "base/Owned.h"

namespace base {

template <class T = HGDIOBJ>
using GdiObject = Owned<NullIsEmpty<T, &DeleteObject>>;
using MemoryDc = Owned<NullIsEmpty<HDC, &DeleteDC>>;

}  // namespace base
