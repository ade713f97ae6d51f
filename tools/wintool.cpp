// wintool: drives a running program's window from outside, for `make run`
// and for people checking the program by hand.
//   wintool shot "<window caption>" OUT.bmp [--close]
// waits (up to 30 s) until a visible top-level window with that caption
// exists, lets it finish painting, copies its screen area into a 24-bit BMP
// and, with --close, posts WM_CLOSE to it (the ordinary way to close it).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"

namespace {

bool SaveBmp(const wchar_t* path, HDC dc, HBITMAP bmp, int w, int h) {
  BITMAPINFOHEADER bi{};
  bi.biSize = sizeof(bi);
  bi.biWidth = w;
  bi.biHeight = h;  // bottom-up, as BMP files store rows
  bi.biPlanes = 1;
  bi.biBitCount = 24;
  bi.biCompression = BI_RGB;
  const int stride = ((w * 3 + 3) / 4) * 4;
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * h);
  if (!GetDIBits(dc, bmp, 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS)) return false;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi);
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* f = _wfopen(path, L"wb");
  if (!f) return false;
  const bool ok = fwrite(&fh, sizeof(fh), 1, f) == 1 && fwrite(&bi, sizeof(bi), 1, f) == 1 &&
                  fwrite(pixels.data(), pixels.size(), 1, f) == 1;
  return fclose(f) == 0 && ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4 || std::wstring(argv[1]) != L"shot") {
    std::fprintf(stderr, "usage: wintool shot CAPTION OUT.bmp [--close]\n");
    return 2;
  }
  const bool close = argc > 4 && std::wstring(argv[4]) == L"--close";
  HWND hwnd = nullptr;
  for (int i = 0; i < 300 && !(hwnd && IsWindowVisible(hwnd)); ++i) {
    Sleep(100);
    hwnd = FindWindowW(nullptr, argv[2]);
  }
  if (!hwnd) {
    std::fprintf(stderr, "wintool: no window captioned %ls\n", argv[2]);
    return 1;
  }
  Sleep(700);  // let the first paint finish
  RECT r;
  GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const base::WindowDc screen(nullptr);
  const base::MemoryDc mem(CreateCompatibleDC(screen.get()));
  const base::GdiObject<HBITMAP> bmp(CreateCompatibleBitmap(screen.get(), w, h));
  {
    const base::Selection selected(mem.get(), bmp.get());
    BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  }
  const bool saved = SaveBmp(argv[3], mem.get(), bmp.get(), w, h);
  if (close) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  if (!saved) {
    std::fprintf(stderr, "wintool: cannot write %ls\n", argv[3]);
    return 1;
  }
  return 0;
}
