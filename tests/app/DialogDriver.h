// Drives a modal standard dialog (message box, open dialog) from inside its
// own message loop: a timer of the GUI thread waits for the thread's
// visible "#32770" window and hands it once to a step, which looks at it
// and ends it by messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class DialogDriver {
public:
  using Step = std::function<void(HWND)>;

  // Runs `action` (which shows the dialog); `step` gets the dialog.
  static bool Run(const Step& step, const std::function<void()>& action) {
    Current() = step;
    Seen() = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &Tick);
    action();
    KillTimer(nullptr, timer);
    Current() = nullptr;
    return Seen();
  }

  static HWND FindDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM out) -> BOOL CALLBACK {
          wchar_t cls[16] = {};
          GetClassNameW(h, cls, 16);
          if (!IsWindowVisible(h) || std::wstring(cls) != L"#32770") return TRUE;
          *reinterpret_cast<HWND*>(out) = h;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

private:
  static Step& Current() {
    static Step step;
    return step;
  }
  static bool& Seen() {
    static bool seen = false;
    return seen;
  }
  static int& Waited() {
    static int ticks = 0;
    return ticks;
  }
  // A step that failed before ending its dialog does not hang the test:
  // the dialog is ended after a while.
  static constexpr int kGiveUpTicks = 150;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Seen()) {
      if (++Waited() == kGiveUpTicks)
        if (const HWND left = FindDialog()) EndDialog(left, 0);
      return;
    }
    if (!Current()) return;
    const HWND dialog = FindDialog();
    if (!dialog) return;
    Seen() = true;
    Waited() = 0;
    // Painted before the step looks at it.
    RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Current()(dialog);
  }
};
