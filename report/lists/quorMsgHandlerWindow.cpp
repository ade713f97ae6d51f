#include "report/lists/quorMsgHandlerWindow.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/Address.h"
#include "base/WinHandle.h"

namespace quor {

namespace {

constexpr char kMutexName[] = "quorToolsMsgHandlerMutex";
constexpr char kClassName[] = "quorToolsMsgHandlerWindow";

struct TThreadWindow {
  uint32_t ThreadId = 0;
  HWND Window = nullptr;
  TMsgHandlers Handlers;
};

// The windows of the process's threads, one per thread that has one.
std::vector<TThreadWindow>& Windows() {
  static std::vector<TThreadWindow> windows;
  return windows;
}

std::string Suffix(uint32_t id) {
  char text[48];
  std::snprintf(text, sizeof text, "$%lx$%llx", static_cast<unsigned long>(id),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&FindMessageHandlerWindow)));
  return text;
}

// The one lock of the window list, made on first use and kept for the life
// of the process. Its name carries the process id and this copy of the
// library's address: every thread of the process shares it, another copy of
// the library in the process has its own.
HANDLE ListMutex() {
  static const base::KernelHandle mutex(
      CreateMutexA(nullptr, FALSE, (kMutexName + Suffix(GetCurrentProcessId())).c_str()));
  return mutex.get();
}

// Holds the list's lock for the scope (a missing lock is not waited for).
class TListLock {
public:
  TListLock() : mutex_(ListMutex()) {
    if (mutex_) WaitForSingleObject(mutex_, INFINITE);
  }
  ~TListLock() {
    if (mutex_) ReleaseMutex(mutex_);
  }
  TListLock(const TListLock&) = delete;
  TListLock& operator=(const TListLock&) = delete;

private:
  HANDLE mutex_;
};

TThreadWindow* FindByThread(uint32_t threadId) {
  auto& windows = Windows();
  const auto at = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.ThreadId == threadId; });
  return at == windows.end() ? nullptr : &*at;
}

LRESULT CALLBACK HandlerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  intptr_t result = DefWindowProcA(window, message, wParam, lParam);
  if (!IsHandledMessage(message)) return result;
  // Handlers run outside the lock, on a copy: a handler may register or
  // remove handlers itself.
  TMsgHandlers handlers;
  {
    const TListLock hold;
    for (const TThreadWindow& w : Windows())
      if (w.Window == window) handlers = w.Handlers;
  }
  for (const TMsgHandler& h : handlers)
    if (h.Message == message) h.Call(base::AddressOf(window), message, wParam, &result, lParam);
  return result;
}

HWND CreateHandlerWindow() {
  const std::string className = kClassName + Suffix(GetCurrentThreadId());
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &HandlerWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = className.c_str();
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
  return CreateWindowExA(WS_EX_TOOLWINDOW, className.c_str(), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                         nullptr);
}

uint32_t Add(TMsgHandler handler, uint32_t threadId) {
  const HWND window = reinterpret_cast<HWND>(FindMessageHandlerWindow(threadId));
  if (!window) return 0;
  const TListLock hold;
  for (TThreadWindow& w : Windows())
    if (w.Window == window) return AddMsgHandler(w.Handlers, handler);
  return 0;
}

void Remove(const TMsgHandler& handler, uint32_t threadId) {
  if (!ListMutex()) return;
  const uint32_t thread = threadId ? threadId : GetCurrentThreadId();
  HWND emptied = nullptr;
  {
    const TListLock hold;
    TThreadWindow* w = FindByThread(thread);
    if (!w) return;
    RemoveMsgHandlers(w->Handlers, handler);
    if (w->Handlers.empty() && IsWindow(w->Window)) {
      emptied = w->Window;
      auto& windows = Windows();
      windows.erase(windows.begin() + (w - windows.data()));
    }
  }
  if (!emptied) return;
  // A window can be destroyed only by its own thread; another thread asks
  // it to close.
  if (thread == GetCurrentThreadId())
    DestroyWindow(emptied);
  else
    PostMessageA(emptied, WM_CLOSE, 0, 0);
}

}  // namespace

uintptr_t FindMessageHandlerWindow(uint32_t threadId) {
  const uint32_t self = GetCurrentThreadId();
  const uint32_t thread = threadId ? threadId : self;
  {
    const TListLock hold;
    if (const TThreadWindow* w = FindByThread(thread)) return base::AddressOf(w->Window);
  }
  if (thread != self) return 0;
  const HWND window = CreateHandlerWindow();
  if (!window) return 0;
  const TListLock hold;
  Windows().push_back({thread, window, {}});
  return base::AddressOf(window);
}

uint32_t AddMessageHandler(TMsgHandlerProc handler, uint32_t message, uint32_t threadId) {
  return handler ? Add({message, handler, nullptr, nullptr}, threadId) : 0;
}

uint32_t AddMessageHandler(TMsgHandlerMethod handler, void* object, uint32_t message, uint32_t threadId) {
  return handler ? Add({message, nullptr, handler, object}, threadId) : 0;
}

void RemoveMessageHandler(TMsgHandlerProc handler, uint32_t message, uint32_t threadId) {
  Remove({message, handler, nullptr, nullptr}, threadId);
}

void RemoveMessageHandler(TMsgHandlerMethod handler, void* object, uint32_t message, uint32_t threadId) {
  Remove({message, nullptr, handler, object}, threadId);
}

}  // namespace quor
