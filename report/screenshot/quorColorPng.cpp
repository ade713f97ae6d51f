#include "report/screenshot/quorColorPng.h"

#include <new>
#include <vector>

#include "report/screenshot/quorPaletteIndex.h"
#include "report/screenshot/quorPngWriter.h"
#include "report/screenshot/quorWuQuantizer.h"

namespace quor {

namespace {

constexpr uint8_t kIndexDepth = 8;
constexpr uint8_t kNoFilter = 0;

std::vector<uint8_t> PaletteBytes(const TWuPalette& palette) {
  std::vector<uint8_t> bytes;
  bytes.reserve(3 * palette.colors.size());
  for (const TRgb& c : palette.colors) bytes.insert(bytes.end(), {c.r, c.g, c.b});
  return bytes;
}

std::vector<uint8_t> IndexRows(const NVPixelView& pixels, const TWuPalette& palette) {
  TPaletteIndex index(std::span<const TRgb>(palette.colors.data(), palette.count));
  std::vector<uint8_t> rows((size_t(pixels.width) + 1) * pixels.height);
  uint8_t* out = rows.data();
  for (uint32_t y = 0; y < pixels.height; ++y) {
    const uint8_t* p = pixels.TopRow(y);
    *out++ = kNoFilter;
    for (uint32_t x = 0; x < pixels.width; ++x, p += kNVBytesPerPixel)
      *out++ = index.Index(p[kNVRed], p[kNVGreen], p[kNVBlue]);
  }
  return rows;
}

}  // namespace

NVBytesResult ColorPng(const NVPixelView& pixels) {
  if (const NVImageStatus fits = NVPictureFits(pixels.width, pixels.height); fits != NVImageStatus::kOk)
    return {{}, fits};
  try {
    const TWuPalette palette = WuPalette(pixels);
    const std::vector<uint8_t> paletteBytes = PaletteBytes(palette);
    const std::vector<uint8_t> rows = IndexRows(pixels, palette);
    return WritePalettePng({pixels.width, pixels.height, kIndexDepth, paletteBytes, rows});
  } catch (const std::bad_alloc&) {
    return {{}, NVImageStatus::kOutOfMemory};
  }
}

}  // namespace quor
