#include "report/delivery/quorOnlineTest.h"

#include <windows.h>

#include "base/WinLibrary.h"
#include "report/delivery/quorWinsock.h"

namespace quor {

namespace {

constexpr Milliseconds kEchoTimeout{1000};

// Windows: InternetAttemptConnect dials the default connection when the
// system has one; wininet is loaded only for it.
bool AttemptConnect() {
  const base::Library wininet(LoadLibraryA("wininet.dll"));
  if (!wininet) return false;
  using Attempt = DWORD(WINAPI*)(DWORD);
  const auto attempt = reinterpret_cast<Attempt>(
      reinterpret_cast<void*>(GetProcAddress(wininet.get(), "InternetAttemptConnect")));
  return attempt && attempt(0) == ERROR_SUCCESS;
}

}  // namespace

bool GoOnline(bool mayDial) {
  const EchoResult first = Echo(kOnlineTestHost, kEchoTimeout);
  if (first != EchoResult::NoAnswer) return true;
  if (!mayDial || !AttemptConnect()) return false;
  return Echo(kOnlineTestHost, kEchoTimeout) != EchoResult::NoAnswer;
}

}  // namespace quor
