// Saves a window as the user sees it, frame included, to a BMP file: the
// screen's pixels under the window's rectangle.
// Wine: PrintWindow gives only the client area, so the screen is copied.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"

namespace quor {

inline void SaveScreenBmp(HWND window, const char* path) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Sleep(300);
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const base::WindowDc screen(nullptr);
  const base::MemoryDc mem(CreateCompatibleDC(screen.get()));
  const base::GdiObject<HBITMAP> bmp(CreateCompatibleBitmap(screen.get(), w, h));
  {
    const base::Selection s(mem.get(), bmp.get());
    BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  }
  BITMAPINFOHEADER bi = {sizeof bi, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
  std::string pixels(stride * static_cast<DWORD>(h), '\0');
  GetDIBits(mem.get(), bmp.get(), 0, static_cast<UINT>(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi),
            DIB_RGB_COLORS);
  BITMAPFILEHEADER fh = {0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi + pixels.size()), 0, 0,
                         sizeof fh + sizeof bi};
  if (FILE* f = std::fopen(path, "wb")) {
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&bi, sizeof bi, 1, f);
    std::fwrite(pixels.data(), 1, pixels.size(), f);
    std::fclose(f);
  }
}

}  // namespace quor
