// Finding a process's exception box from outside, as a user sees it: its
// message, and closing it as the title bar's close box does (the program
// goes on when it can).
#pragma once

#include <windows.h>

#include <string>

#include "report/box/quorBoxWindow.h"

namespace quor_test {

// The visible exception box of the process, or none after `waitMs`.
inline HWND FindExceptionBox(DWORD processId, int waitMs) {
  for (int waited = 0; waited <= waitMs; waited += 20, Sleep(20)) {
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, quor::kBoxWindowClass, nullptr))) {
      DWORD pid = 0;
      GetWindowThreadProcessId(box, &pid);
      if (pid == processId && IsWindowVisible(box)) return box;
    }
  }
  return nullptr;
}

// The texts of the box's static controls (its message), one per line.
inline std::wstring ExceptionBoxMessage(HWND box) {
  std::wstring text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Static") != 0) continue;
    wchar_t buffer[1024] = {};
    GetWindowTextW(child, buffer, 1024);
    text += buffer;
    text += L"\n";
  }
  return text;
}

// Closes the box through its close request and waits until it is gone.
inline void CloseExceptionBox(HWND box) {
  PostMessageW(box, WM_CLOSE, 0, 0);
  for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
}

}  // namespace quor_test
