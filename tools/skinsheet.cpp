// skinsheet: a contact sheet of one skin, every image with all its states
// (and mask rows) drawn twice their size on a light grey sheet, transparent
// fuchsia shown as a checkerboard, one image per cell in table order.
//   skinsheet SKINS_FOLDER SKIN_NAME OUTPUT.bmp
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "skin/sSkinLoader.h"
#include "toolkit/SysUtils.h"

namespace {

void Put(std::string& out, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::string Bmp24(const skin::TsBitmap24& b) {
  const uint32_t size = static_cast<uint32_t>(b.Stride()) * b.Height();
  std::string out = "BM";
  Put(out, 54 + size, 4);
  Put(out, 0, 4);
  Put(out, 54, 4);
  Put(out, 40, 4);
  Put(out, static_cast<uint32_t>(b.Width()), 4);
  Put(out, static_cast<uint32_t>(-b.Height()), 4);  // top-down rows
  Put(out, 1, 2);
  Put(out, 24, 2);
  Put(out, 0, 4);
  Put(out, size, 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  out.append(reinterpret_cast<const char*>(b.Bits()), size);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: skinsheet SKINS_FOLDER SKIN_NAME OUTPUT.bmp\n");
    return 2;
  }
  try {
    skin::TsSkinLoadRequest r;
    r.SkinDirectory = std::string(argv[1]) + "/";
    r.SkinName = argv[2];
    skin::TsSkinTables t;
    if (skin::LoadSkinTables(r, skin::TsSkinFiles(), t) != skin::TsSkinSource::External) {
      std::fprintf(stderr, "skinsheet: no skin folder %s in %s\n", argv[2], argv[1]);
      return 1;
    }
    constexpr int kScale = 2, kCell = 8, kWidth = 1200;
    // Lay the images out in rows.
    struct Cell { const skin::TsMaskData* m; int x, y; };
    std::vector<Cell> cells;
    int x = kCell, y = kCell, rowH = 0;
    for (const skin::TsMaskData& m : t.ma) {
      const int w = m.SourceRect.Width() * kScale, h = m.SourceRect.Height() * kScale;
      const int cw = std::min(w, kWidth - 2 * kCell);
      if (x + cw + kCell > kWidth) x = kCell, y += rowH + kCell, rowH = 0;
      cells.push_back({&m, x, y});
      x += cw + kCell;
      rowH = std::max(rowH, h);
    }
    skin::TsBitmap24 sheet(kWidth, y + rowH + kCell);
    for (int j = 0; j < sheet.Height(); ++j)
      for (int i = 0; i < sheet.Width(); ++i) sheet.SetPixel(i, j, 0xE0E0E0);
    for (const Cell& c : cells) {
      const skin::TsMaskData& m = *c.m;
      const skin::TsBitmap24& src = m.Picture ? *m.Picture : t.MasterBitmap;
      for (int j = 0; j < m.SourceRect.Height() * kScale; ++j)
        for (int i = 0; i < m.SourceRect.Width() * kScale; ++i) {
          const int sx = m.SourceRect.Left + i / kScale, sy = m.SourceRect.Top + j / kScale;
          const int dx = c.x + i, dy = c.y + j;
          if (dx >= sheet.Width() || sx >= src.Width() || sy >= src.Height()) continue;
          skin::TColor p = src.Pixel(sx, sy);
          if (p == skin::clFuchsia) p = ((i / 4 + j / 4) % 2) ? 0xFFFFFF : 0xC8C8C8;
          sheet.SetPixel(dx, dy, p);
        }
    }
    std::ofstream(argv[3], std::ios::binary) << Bmp24(sheet);
  } catch (const tk::Exception& e) {
    std::fprintf(stderr, "skinsheet: %s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
