#include "report/intercept/quorMessageWindow.h"

#include <windows.h>

#include <mutex>

#include "base/Address.h"

namespace quor {

namespace {

constexpr const char* kClassName = "QuorExceptMessageWindow";

struct TEntry {
  uint32_t Message;
  TMessageHandler Handler;
};

std::mutex g_lock;
TEntry g_handlers[8] = {};
HWND g_window = nullptr;

TMessageHandler FindHandler(UINT message) {
  std::lock_guard<std::mutex> hold(g_lock);
  for (const TEntry& e : g_handlers)
    if (e.Handler && e.Message == message) return e.Handler;
  return nullptr;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const TMessageHandler handler = FindHandler(message)) {
    handler(wParam, lParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HINSTANCE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&WindowProc), &module);
  return module;
}

}  // namespace

bool CreateMessageWindow() {
  if (g_window) return true;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = OwnModule();
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  g_window = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  return g_window != nullptr;
}

void DestroyMessageWindow() {
  if (!g_window) return;
  DestroyWindow(g_window);
  g_window = nullptr;
  UnregisterClassA(kClassName, OwnModule());
}

uintptr_t MessageWindow() { return base::AddressOf(g_window); }

bool AddMessageHandler(uint32_t message, TMessageHandler handler) {
  std::lock_guard<std::mutex> hold(g_lock);
  for (TEntry& e : g_handlers)
    if (!e.Handler || e.Message == message) {
      e = {message, handler};
      return true;
    }
  return false;
}

void RemoveMessageHandler(uint32_t message) {
  std::lock_guard<std::mutex> hold(g_lock);
  for (TEntry& e : g_handlers)
    if (e.Message == message) e = {};
}

}  // namespace quor
