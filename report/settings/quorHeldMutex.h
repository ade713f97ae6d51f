// Holds a named mutex for its lifetime: created (or opened) by name, waited
// for without time-out, released and closed at the end. Copies of the
// reporter in one process serialise their set-up and tear-down of shared
// blocks with it.
#pragma once

#include <windows.h>

#include "base/WinHandle.h"

namespace quor {

class THeldMutex {
public:
  explicit THeldMutex(const wchar_t* name, SECURITY_ATTRIBUTES* access = nullptr)
      : mutex_(CreateMutexW(access, FALSE, name)) {
    if (mutex_) WaitForSingleObject(mutex_.get(), INFINITE);
  }
  ~THeldMutex() {
    if (mutex_) ReleaseMutex(mutex_.get());
  }
  THeldMutex(const THeldMutex&) = delete;
  THeldMutex& operator=(const THeldMutex&) = delete;

private:
  base::KernelHandle mutex_;
};

}  // namespace quor
