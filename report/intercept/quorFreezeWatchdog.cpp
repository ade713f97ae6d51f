#include "report/intercept/quorFreezeWatchdog.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>

#include "report/handling/quorExceptPipeline.h"
#include "report/intercept/quorExceptBuf.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorFreezeInterval.h"
#include "report/intercept/quorMessageWindow.h"

namespace quor {

namespace {

// Holds the watchdog's handles: plain handles, closed by Close at shutdown,
// not at static destruction, while the watchdog thread may still wait on them.
struct TWatchdog {
  HANDLE Thread = nullptr;
  DWORD ThreadId = 0;
  HANDLE Stop = nullptr;     // set at shutdown
  HANDLE Resumed = nullptr;  // manual reset; cleared while the check is suspended
  HANDLE Single = nullptr;   // the shared block's watchdog mutex: one watchdog per process
  uint32_t TimeoutMs = 0;
  UINT ProbeMessage = 0;

  void Close() {
    for (HANDLE* h : {&Thread, &Stop, &Resumed})
      if (*h) CloseHandle(*h), *h = nullptr;
    Single = nullptr;  // the shared block's, closed by its last user
    ThreadId = 0;
  }
};

TWatchdog g_dog;
std::atomic<int> g_counter{0};
// The shortest probe interval while a freeze box waits for the main thread.
constexpr DWORD kMinBoxProbeMs = 100;
std::mutex g_suspendLock;
int g_suspended = -1;  // nesting level minus one

// In the main thread: answer the probe.
void AnswerProbe(uintptr_t watchdogThread, intptr_t) {
  PostThreadMessageA(DWORD(watchdogThread), WM_NULL, kFreezeAnswer, kFreezeAnswer);
}

bool DrainAnswers() {
  bool answered = false;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (!msg.hwnd && msg.message == WM_NULL && msg.wParam == kFreezeAnswer && msg.lParam == LPARAM(kFreezeAnswer))
      answered = true;
  return answered;
}

// Waits until the check is not suspended; false when stopping.
bool WaitUntilResumed() {
  const HANDLE handles[2] = {g_dog.Stop, g_dog.Resumed};
  return WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

DWORD WINAPI Watchdog(void*) {
  SetThreadName(GetCurrentThreadId(), kLibraryThreadName);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's message queue
  // A watchdog of another copy of the reporter may hold the mutex; this one
  // waits until that one has stopped (an abandoned mutex is taken as well).
  const HANDLE start[2] = {g_dog.Stop, g_dog.Single};
  const DWORD taken = WaitForMultipleObjects(2, start, FALSE, INFINITE);
  if (taken != WAIT_OBJECT_0 + 1 && taken != WAIT_ABANDONED_0 + 1) return 0;
  uint32_t interval = FirstFreezeInterval(g_dog.TimeoutMs);
  const HWND window = reinterpret_cast<HWND>(MessageWindow());
  while (WaitUntilResumed()) {
    PostMessageA(window, g_dog.ProbeMessage, GetCurrentThreadId(), 0);
    if (WaitForSingleObject(g_dog.Stop, interval) == WAIT_OBJECT_0) break;
    if (DrainAnswers()) {
      g_counter = 0;
      interval = FirstFreezeInterval(g_dog.TimeoutMs);
    } else if (++g_counter >= kFreezeProbes) {
      THandleArgs a;
      a.Kind = 1;
      a.Source = kSourceFreeze;
      HandleException(a);
      g_counter = 0;
      interval = NextFreezeInterval(interval);
    }
  }
  ReleaseMutex(g_dog.Single);
  return 0;
}

}  // namespace

bool StartFreezeWatchdog(int32_t timeoutMs) {
  if (g_dog.Thread || timeoutMs < kFreezeProbes || !MessageWindow()) return false;
  g_dog.TimeoutMs = uint32_t(timeoutMs);
  g_dog.ProbeMessage = RegisterWindowMessageA("QuorExceptFreezeProbe");
  g_dog.Stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  g_dog.Resumed = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  g_dog.Single = ExceptBuf() ? ExceptBuf()->watchdogMutex : nullptr;
  if (!g_dog.ProbeMessage || !g_dog.Stop || !g_dog.Resumed || !g_dog.Single ||
      !AddMessageHandler(g_dog.ProbeMessage, &AnswerProbe)) {
    g_dog.Close();
    return false;
  }
  g_dog.Thread = CreateThread(nullptr, 0, &Watchdog, nullptr, 0, &g_dog.ThreadId);
  if (!g_dog.Thread) {
    RemoveMessageHandler(g_dog.ProbeMessage);
    g_dog.Close();
    return false;
  }
  SetThreadPriority(g_dog.Thread, THREAD_PRIORITY_HIGHEST);
  return true;
}

// A watchdog that does not end within half a second (it may be reporting a
// freeze whose handling cannot finish any more) is terminated.
void StopFreezeWatchdog() {
  if (!g_dog.Thread) return;
  SetEvent(g_dog.Stop);
  if (WaitForSingleObject(g_dog.Thread, 500) != WAIT_OBJECT_0) TerminateThread(g_dog.Thread, 0);
  RemoveMessageHandler(g_dog.ProbeMessage);
  g_dog.Close();
}

uint32_t FreezeWatchdogThreadId() { return g_dog.ThreadId; }

void SuspendFreezeCheck(bool on) {
  if (!g_dog.Thread || GetCurrentThreadId() == g_dog.ThreadId) return;
  std::lock_guard<std::mutex> hold(g_suspendLock);
  g_counter = 0;
  if (on && ++g_suspended == 0) ResetEvent(g_dog.Resumed);
  if (!on && --g_suspended < 0) {
    g_suspended = -1;
    SetEvent(g_dog.Resumed);
  }
}

void ResetFreezeCounter() { g_counter = 0; }

namespace {

// Probes the main thread from a thread of its own while a freeze box shows
// (the watchdog itself waits for the handling of the freeze) and closes the
// box with the null message 777/777 once the main thread answers.
DWORD WINAPI CloseBoxOnAnswer(void* parameter) {
  const HWND box = static_cast<HWND>(parameter);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's message queue, for the answers
  const HWND window = reinterpret_cast<HWND>(MessageWindow());
  const DWORD interval = std::max<DWORD>(FirstFreezeInterval(g_dog.TimeoutMs), kMinBoxProbeMs);
  while (IsWindow(box)) {
    PostMessageA(window, g_dog.ProbeMessage, GetCurrentThreadId(), 0);
    Sleep(interval);
    if (DrainAnswers()) {
      PostMessageA(box, WM_NULL, kFreezeAnswer, kFreezeAnswer);
      break;
    }
  }
  return 0;
}

}  // namespace

void CloseFreezeBoxOnAnswer(HWND box) {
  if (!g_dog.Thread || !box) return;
  const HANDLE thread = CreateThread(nullptr, 0, &CloseBoxOnAnswer, box, 0, nullptr);
  if (thread) CloseHandle(thread);
}

}  // namespace quor
