#include "toolkit/Threads.h"

#include <windows.h>

#include "toolkit/Seams.h"

namespace tk {

namespace {

constexpr UINT kSynchronizeMessage = WM_APP + 0x317;
HWND g_syncWindow = nullptr;

struct TSyncCall {
  const std::function<void()>* Method;
  std::exception_ptr Error;
};

LRESULT CALLBACK SyncWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kSynchronizeMessage) return DefWindowProcA(window, message, wParam, lParam);
  auto* call = reinterpret_cast<TSyncCall*>(lParam);
  try {
    (*call->Method)();
  } catch (...) {
    const auto seam = seams::synchronizeException;
    if (!seam || !seam(reinterpret_cast<const void*>(wParam), "TThread", std::current_exception()))
      call->Error = std::current_exception();
  }
  return 0;
}

// The window lives in the thread that makes the first thread object: the main thread.
HWND SyncWindow() {
  if (!g_syncWindow) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &SyncWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TkThreadSyncWindow";
    RegisterClassA(&wc);
    g_syncWindow = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  return g_syncWindow;
}

}  // namespace

TThread::TThread() { (void)SyncWindow(); }

TThread::~TThread() {
  if (handle_) {
    WaitFor();
    CloseHandle(handle_);  // a plain handle: Threads.h keeps <windows.h> out of its users
  }
}

bool TThread::Start() {
  if (handle_) return false;
  handle_ = CreateThread(nullptr, 0, &TThread::Run, this, 0, nullptr);
  return handle_ != nullptr;
}

unsigned TThread::WaitFor() {
  if (handle_) WaitForSingleObject(handle_, INFINITE);
  return ReturnValue;
}

unsigned long __stdcall TThread::Run(void* self) {
  auto* thread = static_cast<TThread*>(self);
  try {
    thread->Execute();
  } catch (...) {
    const auto seam = seams::threadException;
    if (!seam || !seam(thread, thread->ClassName(), std::current_exception()))
      thread->fatal_ = std::current_exception();
  }
  return thread->ReturnValue;
}

void TThread::Synchronize(const std::function<void()>& method) {
  TSyncCall call{&method, nullptr};
  SendMessageA(SyncWindow(), kSynchronizeMessage, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&call));
  if (call.Error) std::rethrow_exception(call.Error);
}

}  // namespace tk
