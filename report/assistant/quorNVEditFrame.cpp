#include "report/assistant/quorNVEditFrame.h"

#include <commctrl.h>

#include "base/WinWindowDc.h"

namespace quor {

namespace {

constexpr UINT_PTR kSubclassId = 0x4E564546;  // "NVEF"

void DrawFrame(HWND edit) {
  const base::WindowDc dc(edit, base::WindowDc::WholeWindow{});
  if (!dc) return;
  RECT r;
  GetWindowRect(edit, &r);
  OffsetRect(&r, -r.left, -r.top);
  FrameRect(dc.get(), &r, GetSysColorBrush(GetFocus() == edit ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME));
}

LRESULT CALLBACK EditFrameProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (msg) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, EditFrameProc, kSubclassId);
      return DefSubclassProc(edit, msg, wParam, lParam);
    case WM_NCPAINT:
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
      // The system draws its border (and a multi-line edit's scroll bar)
      // first; the frame's colour goes over the border at once.
      // Wine: the edit takes WS_BORDER off and draws the border itself in
      // its client area on WM_PAINT, so the frame follows every paint.
      const LRESULT result = DefSubclassProc(edit, msg, wParam, lParam);
      if (IsWindowVisible(edit)) DrawFrame(edit);
      return result;
    }
    default:
      return DefSubclassProc(edit, msg, wParam, lParam);
  }
}

}  // namespace

bool FrameNVEdit(HWND edit) { return SetWindowSubclass(edit, EditFrameProc, kSubclassId, 0); }

}  // namespace quor
