// Owners of window-manager objects: windows, menus and icons. DestroyMenu
// frees a menu with all its submenus, so only the top menu of a tree is owned.
#pragma once

#include <windows.h>

#include "base/Owned.h"

namespace base {

using WindowHandle = Owned<NullIsEmpty<HWND, &DestroyWindow>>;
using MenuHandle = Owned<NullIsEmpty<HMENU, &DestroyMenu>>;
using IconHandle = Owned<NullIsEmpty<HICON, &DestroyIcon>>;

}  // namespace base
