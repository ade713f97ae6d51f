#include "report/screenshot/quorMouseCursor.h"

#include "base/ScopeExit.h"
#include "base/WinGdiObject.h"

namespace quor {
namespace {

struct TShownCursor {
  HCURSOR cursor = nullptr;
  POINT position{};
};

using TGetCursorInfo = BOOL(WINAPI*)(PCURSORINFO);

// Windows: GetCursorInfo is missing from the oldest systems, so it is
// looked up rather than imported.
TGetCursorInfo FindGetCursorInfo() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<TGetCursorInfo>(reinterpret_cast<void*>(GetProcAddress(user32, "GetCursorInfo")))
                : nullptr;
}

// The cursor of the thread that owns the window under the mouse: GetCursor
// answers for the calling thread's input state only, so that input is
// joined to the owner's for the moment.
TShownCursor CursorOfWindowUnderMouse() {
  TShownCursor shown;
  if (!GetCursorPos(&shown.position)) return {};
  const HWND window = WindowFromPoint(shown.position);
  const DWORD owner = window ? GetWindowThreadProcessId(window, nullptr) : 0;
  const DWORD self = GetCurrentThreadId();
  const bool attach = owner != 0 && owner != self && AttachThreadInput(self, owner, TRUE);
  const base::ScopeExit detach([&] {
    if (attach) AttachThreadInput(self, owner, FALSE);
  });
  shown.cursor = GetCursor();
  return shown;
}

TShownCursor ShownCursor() {
  if (const TGetCursorInfo getCursorInfo = FindGetCursorInfo()) {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    if (getCursorInfo(&info)) {
      if (!(info.flags & CURSOR_SHOWING)) return {};
      return {info.hCursor, info.ptScreenPos};
    }
  }
  return CursorOfWindowUnderMouse();
}

}  // namespace

void DrawMouseCursor(HDC dc, POINT origin) {
  const TShownCursor shown = ShownCursor();
  if (!shown.cursor) return;
  ICONINFO icon{};
  if (!GetIconInfo(shown.cursor, &icon)) return;
  // GetIconInfo hands over copies of the cursor's bitmaps.
  const base::GdiObject<HBITMAP> mask(icon.hbmMask), color(icon.hbmColor);
  DrawIconEx(dc, shown.position.x - LONG(icon.xHotspot) - origin.x, shown.position.y - LONG(icon.yHotspot) - origin.y,
             shown.cursor, 0, 0, 0, nullptr, DI_NORMAL);
}

}  // namespace quor
