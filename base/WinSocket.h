// Owner of a Winsock socket. The socket header must come before
// <windows.h> (which would otherwise pull in the old Winsock 1 header).
#pragma once

#include <winsock2.h>

#include "base/Owned.h"

namespace base {

struct SocketTraits {
  using Handle = SOCKET;
  static SOCKET Empty() { return INVALID_SOCKET; }
  static void Close(SOCKET s) { closesocket(s); }
};
using Socket = Owned<SocketTraits>;

}  // namespace base
