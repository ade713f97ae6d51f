// A library built with its own copy of the reporter: it shares the process's
// thread list with the executable's copy. The test program starts a thread
// through it and looks for that thread in its own copy's report.
#include <windows.h>

#include "report/intercept/quorExceptThreads.h"

namespace {

DWORD WINAPI Worker(void* stop) {
  WaitForSingleObject(stop, INFINITE);
  return 0;
}

}  // namespace

// Starts a thread that runs until `stop` is set and names it through this
// library's copy; returns its id.
extern "C" __declspec(dllexport) DWORD StartDllWorker(HANDLE stop) {
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, &Worker, stop, 0, &id);
  if (!thread) return 0;
  CloseHandle(thread);
  quor::SetThreadName(id, "dll worker");
  return id;
}

// The main thread as this library's copy took it from the shared list.
extern "C" __declspec(dllexport) DWORD DllMainThreadId() { return quor::MainThreadId(); }
