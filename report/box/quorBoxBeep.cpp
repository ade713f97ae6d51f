#include "report/box/quorBoxBeep.h"

#include <windows.h>

#include "base/WinHandle.h"

namespace quor {

namespace {

DWORD WINAPI SoundHand(void*) {
  MessageBeep(MB_ICONHAND);
  return 0;
}

}  // namespace

void BeepHandAside() {
  // The thread runs on after its handle is closed.
  const base::KernelHandle sounding(CreateThread(nullptr, 0, &SoundHand, nullptr, 0, nullptr));
  if (!sounding) MessageBeep(MB_ICONHAND);
}

}  // namespace quor
