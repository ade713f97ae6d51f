#include "skin/sWindowPicture.h"

#include "skin/sGraphUtilsWin.h"

namespace skin {

namespace {

// Each window prints its client area with the origin moved onto it and the
// clip set to it; the style bit is read instead of IsWindowVisible because
// a window whose redrawing is switched off reports itself hidden.
void PrintClient(HDC dc, HWND window, POINT origin) {
  POINT client{0, 0};
  ClientToScreen(window, &client);
  RECT r;
  GetClientRect(window, &r);
  const int saved = SaveDC(dc);
  SetViewportOrgEx(dc, client.x - origin.x, client.y - origin.y, nullptr);
  IntersectClipRect(dc, 0, 0, r.right, r.bottom);
  SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  RestoreDC(dc, saved);
  for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV))
    if (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) PrintClient(dc, child, origin);
}

}  // namespace

void PaintWindowPicture(HWND window, TsBitmap24& bmp) {
  RECT r;
  if (bmp.Empty() || !GetWindowRect(window, &r)) return;
  TsDibCanvas canvas(bmp);
  if (canvas.DC()) PrintClient(canvas.DC(), window, {r.left, r.top});
}

}  // namespace skin
