#include "report/intercept/quorPauseThreads.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include "report/intercept/quorCodePatch.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorMessageWindow.h"

namespace quor {

namespace {

using TGetMessage = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT);
using TPeekMessage = BOOL(WINAPI*)(LPMSG, HWND, UINT, UINT, UINT);

// The pause state of the process, guarded by Lock. The events are plain
// handles closed by UnregisterPauseGate at shutdown, not at static
// destruction, while paused threads may still wait on them.
struct TPause {
  std::mutex Lock;
  bool Hooked = false;
  HANDLE MainEvent = nullptr;   // manual reset; cleared while paused
  HANDLE OtherEvent = nullptr;  // the same for the collected threads
  std::vector<uint32_t> Collected;
  uint32_t PausedBy = 0;  // the thread that paused never waits at its own gate
  UINT WakeMessage = 0;
  TGetMessage GetMessageA = nullptr, GetMessageW = nullptr;
  TPeekMessage PeekMessageA = nullptr, PeekMessageW = nullptr;
};

TPause g_pause;
// Set once the events exist: until then the gate costs one load.
std::atomic<bool> g_gateActive{false};

BOOL WINAPI HookedGetMessageA(LPMSG msg, HWND window, UINT first, UINT last) {
  PauseGate();
  return g_pause.GetMessageA(msg, window, first, last);
}

BOOL WINAPI HookedGetMessageW(LPMSG msg, HWND window, UINT first, UINT last) {
  PauseGate();
  return g_pause.GetMessageW(msg, window, first, last);
}

BOOL WINAPI HookedPeekMessageA(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
  PauseGate();
  return g_pause.PeekMessageA(msg, window, first, last, remove);
}

BOOL WINAPI HookedPeekMessageW(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
  PauseGate();
  return g_pause.PeekMessageW(msg, window, first, last, remove);
}

// Under the lock, once: the four calls redirected in every module's import
// table (the patches are undone with the others at shutdown).
// Windows: threads are held at their next message retrieval rather than with
// SuspendThread: a thread stopped at an arbitrary point may hold the heap or
// loader lock, and the report, which allocates and loads, would wait for ever.
void HookMessageRetrieval() {
  if (g_pause.Hooked) return;
  g_pause.Hooked = true;
  HMODULE user = GetModuleHandleA("user32.dll");
  if (!user) return;
  const struct {
    const char* Name;
    void* Original;
    const void* Hook;
  } calls[] = {
      {"GetMessageA", &g_pause.GetMessageA, reinterpret_cast<const void*>(&HookedGetMessageA)},
      {"GetMessageW", &g_pause.GetMessageW, reinterpret_cast<const void*>(&HookedGetMessageW)},
      {"PeekMessageA", &g_pause.PeekMessageA, reinterpret_cast<const void*>(&HookedPeekMessageA)},
      {"PeekMessageW", &g_pause.PeekMessageW, reinterpret_cast<const void*>(&HookedPeekMessageW)},
  };
  for (const auto& c : calls) {
    const FARPROC original = GetProcAddress(user, c.Name);
    if (!original) continue;
    *static_cast<FARPROC*>(c.Original) = original;
    (void)PatchImports(reinterpret_cast<const void*>(original), c.Hook);
  }
}

// Whether the module that holds `address` carries the reporter's symbol
// resource: then it is a module of the program, built with the reporter.
bool CreatedByProgramModule(uint32_t address) {
  HMODULE module = nullptr;
  if (!address ||
      !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(address), &module))
    return false;
  return FindResourceA(module, "EXCEPT", "QUOR") != nullptr;
}

// The threads to pause besides the main thread.
std::vector<uint32_t> CollectThreads(uint32_t reportingThreadId) {
  std::vector<uint32_t> threads;
  const uint32_t self = GetCurrentThreadId(), main = MainThreadId();
  for (const uint32_t id : ProcessThreadIds()) {
    if (id == self || id == main || id == reportingThreadId) continue;
    TThreadRecord record;
    if (FindThreadRecord(id, record) && CreatedByProgramModule(record.CreatorAddress)) threads.push_back(id);
  }
  return threads;
}

// The main thread waits for its event but still answers messages sent to
// its windows by other threads (the report may ask a window for its text):
// a plain wait would leave such a sender waiting for the rest of the pause.
void MainThreadWait(HANDLE event) {
  while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    // Windows: retrieving with no posted message in range only delivers the sent ones.
    const TPeekMessage peek = g_pause.PeekMessageA ? g_pause.PeekMessageA : &PeekMessageA;
    peek(&msg, nullptr, WM_NULL, WM_NULL, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void PostWakeMessage() {
  if (const HWND window = reinterpret_cast<HWND>(MessageWindow()); window && g_pause.WakeMessage)
    PostMessageA(window, g_pause.WakeMessage, 0, 0);
}

void WakeHandler(uintptr_t, intptr_t) { PauseGate(); }

}  // namespace

bool RegisterPauseGate() {
  g_pause.WakeMessage = RegisterWindowMessageA("QuorExceptPauseGate");
  return g_pause.WakeMessage && AddMessageHandler(g_pause.WakeMessage, &WakeHandler);
}

void UnregisterPauseGate() {
  if (g_pause.WakeMessage) RemoveMessageHandler(g_pause.WakeMessage);
  std::lock_guard<std::mutex> hold(g_pause.Lock);
  g_gateActive = false;
  for (HANDLE* event : {&g_pause.MainEvent, &g_pause.OtherEvent})
    if (*event) SetEvent(*event), CloseHandle(*event), *event = nullptr;
  g_pause.Collected.clear();
}

void PauseThreads(uint32_t reportingThreadId) {
  {
    std::lock_guard<std::mutex> hold(g_pause.Lock);
    HookMessageRetrieval();
    for (HANDLE* event : {&g_pause.MainEvent, &g_pause.OtherEvent})
      if (*event)
        ResetEvent(*event);
      else
        *event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_pause.Collected = CollectThreads(reportingThreadId);
    g_pause.PausedBy = GetCurrentThreadId();
    g_gateActive = g_pause.MainEvent && g_pause.OtherEvent;
  }
  PostWakeMessage();
}

void ResumeThreads() {
  {
    std::lock_guard<std::mutex> hold(g_pause.Lock);
    for (HANDLE event : {g_pause.MainEvent, g_pause.OtherEvent})
      if (event) SetEvent(event);
  }
  PostWakeMessage();
}

void PauseGate() {
  if (!g_gateActive) return;
  const DWORD lastError = GetLastError();
  const DWORD self = GetCurrentThreadId();
  HANDLE event = nullptr;
  bool main = false;
  {
    std::lock_guard<std::mutex> hold(g_pause.Lock);
    main = self == MainThreadId();
    if (self == g_pause.PausedBy)
      event = nullptr;
    else if (main)
      event = g_pause.MainEvent;
    else if (std::find(g_pause.Collected.begin(), g_pause.Collected.end(), self) != g_pause.Collected.end())
      event = g_pause.OtherEvent;
  }
  if (event && main)
    MainThreadWait(event);
  else if (event)
    WaitForSingleObject(event, INFINITE);
  SetLastError(lastError);
}

}  // namespace quor
