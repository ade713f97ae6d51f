// Pictures of a window as the screen shows it, and keeping them as BMP files
// for people to look at.
#pragma once

#include <windows.h>

#include <cstdio>

#include "base/WinWindowDc.h"
#include "skin/sBitmap24.h"
#include "skin/sGraphUtilsWin.h"

// What the screen shows of the window's rectangle, read from the screen's
// device context (a window's own printing would give only its client area).
// Parts of the window beyond the screen (a maximised window's borders) stay
// black.
inline skin::TsBitmap24 ScreenPicture(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  skin::TsBitmap24 shot(r.right - r.left, r.bottom - r.top);
  const RECT screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT seen;
  if (!IntersectRect(&seen, &r, &screenRect)) return shot;
  skin::TsDibCanvas canvas(shot);
  const base::WindowDc screen(nullptr);
  // Wine: a source rectangle reaching beyond the screen copies nothing at all.
  BitBlt(canvas.DC(), seen.left - r.left, seen.top - r.top, seen.right - seen.left, seen.bottom - seen.top, screen.get(),
         seen.left, seen.top, SRCCOPY);
  return shot;
}

inline void SaveBmp(const skin::TsBitmap24& b, const char* path) {
  BITMAPINFOHEADER bi{sizeof(bi), b.Width(), -b.Height(), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD size = static_cast<DWORD>(b.Stride()) * b.Height();
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bi) + size), 0, 0, sizeof(fh) + sizeof(bi)};
  if (FILE* f = fopen(path, "wb")) {
    fwrite(&fh, sizeof(fh), 1, f);
    fwrite(&bi, sizeof(bi), 1, f);
    fwrite(b.Bits(), 1, size, f);
    fclose(f);
  }
}
