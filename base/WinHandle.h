// Owners of kernel object handles. Most creating calls return null on failure
// (events, mutexes, threads, processes, mappings); CreateFile and
// CreateToolhelp32Snapshot return INVALID_HANDLE_VALUE; FindFirstFile's search
// handle is closed with FindClose.
#pragma once

#include <windows.h>

#include "base/Owned.h"

namespace base {

template <auto kClose>
struct InvalidIsEmpty {
  using Handle = HANDLE;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { kClose(handle); }
};

using KernelHandle = Owned<NullIsEmpty<HANDLE, &CloseHandle>>;
using FileHandle = Owned<InvalidIsEmpty<&CloseHandle>>;
using SnapshotHandle = FileHandle;
using FindHandle = Owned<InvalidIsEmpty<&FindClose>>;

}  // namespace base
