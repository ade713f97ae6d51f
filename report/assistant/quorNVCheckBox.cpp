#include "report/assistant/quorNVCheckBox.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "base/WinGdiObject.h"
#include "base/WinPaint.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"

namespace quor {

namespace {

constexpr UINT_PTR kSubclassId = 0x4E56434B;  // "NVCK"
constexpr int kBoxSize = 13, kCaptionGap = 3, kFocusGap = 2;

// The check mark, seven columns of three pixels each (x, top y inside the
// 13-pixel box): the shape the "Marlett" font's check glyph gives at this
// size. It is set pixel by pixel because the font does not draw its
// symbols everywhere.
// Wine: Marlett is found, but its symbols come out as plain letters.
constexpr POINT kCheckMark[] = {{3, 5}, {4, 6}, {5, 7}, {6, 6}, {7, 5}, {8, 4}, {9, 3}};
constexpr int kCheckMarkThickness = 3;

void DrawCheckMark(HDC dc, POINT at, COLORREF colour) {
  const base::GdiObject<HBRUSH> ink(CreateSolidBrush(colour));
  for (const POINT& column : kCheckMark) {
    const RECT r = {at.x + column.x, at.y + column.y, at.x + column.x + 1, at.y + column.y + kCheckMarkThickness};
    FillRect(dc, &r, ink.get());
  }
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void Draw(HWND box, HDC target) {
  RECT client;
  GetClientRect(box, &client);
  const int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  // Drawn off screen and copied once, so the box never shows half painted.
  const base::MemoryDc dc(CreateCompatibleDC(target));
  const base::GdiObject<HBITMAP> picture(CreateCompatibleBitmap(target, w, h));
  if (!dc || !picture) return;
  const base::Selection canvas(dc.get(), picture.get());
  FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));

  const LRESULT state = SendMessageW(box, BM_GETSTATE, 0, 0);
  const bool enabled = IsWindowEnabled(box), pushed = state & BST_PUSHED;
  const int top = (h - kBoxSize) / 2;
  const RECT frame = {0, top, kBoxSize, top + kBoxSize};
  FillRect(dc.get(), &frame, GetSysColorBrush(COLOR_BTNSHADOW));
  RECT inside = frame;
  InflateRect(&inside, -1, -1);
  FillRect(dc.get(), &inside, GetSysColorBrush(enabled && !pushed ? COLOR_WINDOW : COLOR_BTNFACE));
  const COLORREF ink = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
  if (state & (BST_CHECKED | BST_INDETERMINATE)) DrawCheckMark(dc.get(), {frame.left, frame.top}, ink);

  const std::wstring caption = WindowText(box);
  const auto hidden = static_cast<UINT>(SendMessageW(box, WM_QUERYUISTATE, 0, 0));
  const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | ((hidden & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0);
  const base::Selection font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
  SetBkMode(dc.get(), TRANSPARENT);
  SetTextColor(dc.get(), ink);
  RECT text = {kBoxSize + kCaptionGap + kFocusGap, 0, w, h};
  DrawTextW(dc.get(), caption.c_str(), -1, &text, format);
  if (GetFocus() == box && !(hidden & UISF_HIDEFOCUS) && !caption.empty()) {
    RECT used = text;
    DrawTextW(dc.get(), caption.c_str(), -1, &used, format | DT_CALCRECT);
    // The measured rectangle starts at the top; centre it like the text.
    OffsetRect(&used, 0, (h - (used.bottom - used.top)) / 2 - used.top);
    InflateRect(&used, kFocusGap, 1);
    used.right = std::min<LONG>(used.right, w);
    SetTextColor(dc.get(), GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc.get(), GetSysColor(COLOR_BTNFACE));
    DrawFocusRect(dc.get(), &used);
  }
  BitBlt(target, 0, 0, w, h, dc.get(), 0, 0, SRCCOPY);
}

// Messages after which the system button has drawn, or would draw, itself.
bool ChangesLook(UINT msg) {
  switch (msg) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_CLICK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case WM_CHANGEUISTATE:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK CheckBoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (msg) {
    case WM_PAINT: {
      const base::PaintScope paint(box);
      Draw(box, paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Draw(box, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, CheckBoxProc, kSubclassId);
      return DefSubclassProc(box, msg, wParam, lParam);
    default:
      break;
  }
  const LRESULT result = DefSubclassProc(box, msg, wParam, lParam);
  // The system button draws straight onto the screen when its state
  // changes; our look goes over it in the same message. A drag over the
  // box changes its pushed look, so moves count while it holds the mouse.
  if ((ChangesLook(msg) || (msg == WM_MOUSEMOVE && GetCapture() == box)) && IsWindowVisible(box)) {
    const base::WindowDc dc(box);
    if (dc) Draw(box, dc.get());
  }
  return result;
}

}  // namespace

bool PaintNVCheckBox(HWND box) { return SetWindowSubclass(box, CheckBoxProc, kSubclassId, 0); }

}  // namespace quor
