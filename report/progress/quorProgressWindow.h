// The window of a progress alert: its class, its window procedure and the
// state it shares with the alert. The state lives as long as the longer of
// the two: a window closed from another thread goes on after the alert is
// gone, until its own thread destroys it.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/Owned.h"
#include "base/WinGdiObject.h"
#include "report/progress/quorProgressAreas.h"

namespace quor {

inline constexpr wchar_t kProgressWindowClass[] = L"prgrAlertWndClass";
// Posted to the window: show the state's title, current text and bar.
inline constexpr UINT kProgressSyncMessage = WM_APP + 0x50;
// Control identifiers of the window's children.
inline constexpr int kProgressTextId = 1, kProgressBarId = 2, kProgressIconId = 3;

struct TProgressState {
  std::mutex Lock;  // guards everything below but Font and SyncPosted
  std::string Title;
  TProgressAreas Areas;
  HWND Owner = nullptr;
  bool OwnerWasDisabled = false;              // the owner's state before the window showed
  std::optional<std::vector<uint32_t>> Icon;  // blended 32 x 32 pixels, rows top-down
  base::GdiObject<HFONT> Font;                // set before the window is made, then only read
  std::atomic<bool> SyncPosted{false};        // a sync message is on its way
};

// Registers the window class in `instance`; a class that exists already is
// as good as a new one.
[[nodiscard]] bool RegisterProgressClass(HINSTANCE instance);

// The top-level window with the title as caption, owned by `owner`; it keeps
// a reference to the state until it is destroyed.
[[nodiscard]] HWND CreateProgressWindow(HINSTANCE instance, const std::shared_ptr<TProgressState>& state, DWORD exStyle,
                                        HWND owner);

// Shows the state's title, current area text and bar value in the window;
// in the window's thread only.
void SyncProgressWindow(HWND window, TProgressState& state);

// In the window's thread: gives the owner back its earlier enabled state,
// activates it when the window was the active one, and destroys the window.
void DestroyProgressWindow(HWND window);

// From any thread: destroys the window in its own thread; from another one
// marks it for closing and posts the close. A sent close would wait for the
// window's thread, which may itself be waiting for the caller.
void CloseProgressWindow(HWND window);

struct ProgressWindowTraits {
  using Handle = HWND;
  static HWND Empty() { return nullptr; }
  static void Close(HWND window) { CloseProgressWindow(window); }
};
using ProgressWindowHandle = base::Owned<ProgressWindowTraits>;

}  // namespace quor
