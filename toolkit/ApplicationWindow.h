// The application's hidden window. It owns pop-up menus while they show, so
// their owner-draw messages arrive here, and it receives the messages meant
// for the program as a whole (theme and setting changes). Hooks see every
// message first: a skin engine watches and answers them there.
#pragma once

#include <windows.h>

#include "base/WinUser.h"
#include "toolkit/MessageHooks.h"

namespace tk {

class TApplicationWindow {
public:
  TApplicationWindow() = default;
  TApplicationWindow(const TApplicationWindow&) = delete;
  TApplicationWindow& operator=(const TApplicationWindow&) = delete;

  // Created on first use; never shown, never on the taskbar.
  HWND Handle();
  TMessageHookChain& Hooks() { return hooks_; }

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // What the window does with a message no hook took: owner-drawn menu
  // items are measured and drawn by their handlers.
  static LRESULT Default(HWND hwnd, const TMessage& m);

  base::WindowHandle handle_;
  TMessageHookChain hooks_;
};

}  // namespace tk
