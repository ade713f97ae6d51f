#include "skin/sBmpFile.h"

#include <cstring>

#include "toolkit/SysUtils.h"

namespace skin {
namespace {

uint32_t Le(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

[[noreturn]] void BadBitmap() { throw tk::EInvalidGraphic("Bitmap image is not valid"); }

void PutLe(std::string& out, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

TsBitmap24 ReadBmp(std::span<const uint8_t> bytes) {
  const uint8_t* data = bytes.data();
  const size_t size = bytes.size();
  if (size < 14 + 40 || data[0] != 'B' || data[1] != 'M') BadBitmap();
  const uint32_t offBits = Le(data + 10, 4);
  const uint8_t* h = data + 14;
  const uint32_t headerSize = Le(h, 4);
  if (headerSize < 40 || headerSize > size - 14) BadBitmap();
  const int32_t w = static_cast<int32_t>(Le(h + 4, 4));
  const int32_t rawH = static_cast<int32_t>(Le(h + 8, 4));
  const uint32_t bits = Le(h + 14, 2);
  const uint32_t compression = Le(h + 16, 4);
  uint32_t colors = Le(h + 32, 4);
  if (w <= 0 || w > 32768 || rawH == 0 || rawH < -32768 || rawH > 32768) BadBitmap();
  if (compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) BadBitmap();
  const int32_t height = rawH < 0 ? -rawH : rawH;
  const bool bottomUp = rawH > 0;
  if (bits <= 8 && colors == 0) colors = 1u << bits;
  if (bits <= 8 && colors > (1u << bits)) BadBitmap();
  const size_t paletteAt = 14 + static_cast<size_t>(headerSize);
  if (bits <= 8 && paletteAt + static_cast<size_t>(colors) * 4 > size) BadBitmap();
  const uint8_t* palette = data + paletteAt;
  const size_t srcStride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
  if (offBits > size || srcStride * static_cast<size_t>(height) > size - offBits) BadBitmap();
  TsBitmap24 out(w, height);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* src = data + offBits + srcStride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
    uint8_t* dst = out.ScanLine(y);
    for (int32_t x = 0; x < w; ++x) {
      uint32_t index = 0;
      switch (bits) {
        case 24:
          std::memcpy(dst + 3 * x, src + 3 * x, 3);
          continue;
        case 32:
          std::memcpy(dst + 3 * x, src + 4 * x, 3);
          continue;
        case 8:
          index = src[x];
          break;
        case 4:
          index = (src[x / 2] >> (x % 2 ? 0 : 4)) & 15;
          break;
        default:
          index = (src[x / 8] >> (7 - x % 8)) & 1;
          break;
      }
      if (index >= colors) index = 0;
      std::memcpy(dst + 3 * x, palette + 4 * index, 3);
    }
  }
  return out;
}

std::string WriteBmp8(const TsBitmap8& p) {
  const uint32_t stride = (static_cast<uint32_t>(p.Width) + 3) & ~3u;
  const uint32_t offBits = 14 + 40 + 256 * 4;
  std::string out = "BM";
  PutLe(out, offBits + stride * p.Height, 4);
  PutLe(out, 0, 4);
  PutLe(out, offBits, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<uint32_t>(p.Width), 4);
  PutLe(out, static_cast<uint32_t>(p.Height), 4);
  PutLe(out, 1, 2);
  PutLe(out, 8, 2);
  PutLe(out, 0, 4);
  PutLe(out, stride * p.Height, 4);
  PutLe(out, 2835, 4);  // 72 dots per inch
  PutLe(out, 2835, 4);
  PutLe(out, 256, 4);
  PutLe(out, 0, 4);
  for (size_t i = 0; i < 256; ++i) {
    const TColor c = i < p.Palette.size() ? p.Palette[i] : 0;
    // Palette entries are blue, green, red, reserved.
    out += static_cast<char>((c >> 16) & 0xFF);
    out += static_cast<char>((c >> 8) & 0xFF);
    out += static_cast<char>(c & 0xFF);
    out += '\0';
  }
  for (int32_t y = p.Height - 1; y >= 0; --y) {
    out.append(reinterpret_cast<const char*>(p.Pixels.data()) + static_cast<size_t>(y) * p.Width, p.Width);
    out.append(stride - p.Width, '\0');
  }
  return out;
}

}  // namespace skin
