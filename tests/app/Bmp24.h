// Pictures of test windows written as 24-bit BMP files, for people to look at.
#pragma once

#include <windows.h>

#include <fstream>
#include <string>

#include "skin/sBitmap24.h"

// A 24-bit BMP file of the picture, for people to look at.
inline std::string Bmp24(const skin::TsBitmap24& pic) {
  const int w = pic.Width(), h = pic.Height(), stride = ((w * 3 + 3) / 4) * 4;
  BITMAPINFOHEADER bi{sizeof(bi), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string pixels(static_cast<size_t>(stride) * h, '\0');
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const skin::TColor c = pic.Pixel(x, h - 1 - y);
      char* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
      p[0] = static_cast<char>((c >> 16) & 0xFF), p[1] = static_cast<char>((c >> 8) & 0xFF), p[2] = static_cast<char>(c & 0xFF);
    }
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bi) + pixels.size()), 0, 0,
                      static_cast<DWORD>(sizeof(fh) + sizeof(bi))};
  return std::string(reinterpret_cast<const char*>(&fh), sizeof(fh)) +
         std::string(reinterpret_cast<const char*>(&bi), sizeof(bi)) + pixels;
}

inline void SaveBmp24(const skin::TsBitmap24& pic, const std::string& path) {
  std::ofstream(path, std::ios::binary) << Bmp24(pic);
}
