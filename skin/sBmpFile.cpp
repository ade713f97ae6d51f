#include "skin/sBmpFile.h"

#include "toolkit/BmpDecoder.h"

namespace skin {
namespace {

void PutLe(std::string& out, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

TsBitmap24 ReadBmp(std::span<const uint8_t> bytes) {
  const tk::TBmpDecoder bmp(bytes);
  TsBitmap24 out(bmp.Width(), bmp.Height());
  for (int32_t y = 0; y < bmp.Height(); ++y) bmp.DecodeRow(y, out.ScanLine(y));
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
