// Holds a named mutex for its lifetime: created (or opened) by name, waited
// for without time-out, released and closed at the end. Copies of the
// reporter in one process serialise their set-up and tear-down of shared
// blocks with it.
#pragma once

#include <windows.h>

namespace quor {

class THeldMutex {
public:
  explicit THeldMutex(const wchar_t* name, SECURITY_ATTRIBUTES* access = nullptr)
      : handle_(CreateMutexW(access, FALSE, name)) {
    if (handle_) WaitForSingleObject(handle_, INFINITE);
  }
  ~THeldMutex() {
    if (!handle_) return;
    ReleaseMutex(handle_);
    CloseHandle(handle_);
  }
  THeldMutex(const THeldMutex&) = delete;
  THeldMutex& operator=(const THeldMutex&) = delete;

private:
  HANDLE handle_;
};

}  // namespace quor
