#include "report/screenshot/quorGreyPng.h"

#include <cstdlib>
#include <new>
#include <vector>

#include "report/screenshot/quorPngWriter.h"

namespace quor {

namespace {

constexpr uint8_t kIndexDepth = 4;
constexpr uint32_t kPixelsPerByte = 8 / kIndexDepth;
constexpr uint8_t kNoFilter = 0;
constexpr uint32_t kRedWeight = 77, kGreenWeight = 151, kBlueWeight = 28, kWeightShift = 8;

using TLevelTable = std::array<uint8_t, 256>;

// The index of the nearest level for every grey value (the first on ties).
TLevelTable NearestLevels() {
  TLevelTable table{};
  for (int grey = 0; grey < 256; ++grey) {
    int best = 256;
    for (size_t i = 0; i < kGreyLevels.size(); ++i) {
      const int distance = std::abs(kGreyLevels[i] - grey);
      if (distance < best) best = distance, table[grey] = uint8_t(i);
    }
  }
  return table;
}

std::vector<uint8_t> PaletteBytes() {
  std::vector<uint8_t> bytes;
  for (const uint8_t level : kGreyLevels) bytes.insert(bytes.end(), {level, level, level});
  return bytes;
}

std::vector<uint8_t> LevelRows(const NVPixelView& pixels) {
  static const TLevelTable nearest = NearestLevels();
  const size_t rowBytes = 1 + (size_t(pixels.width) + kPixelsPerByte - 1) / kPixelsPerByte;
  std::vector<uint8_t> rows(rowBytes * pixels.height);
  for (uint32_t y = 0; y < pixels.height; ++y) {
    const uint8_t* p = pixels.TopRow(y);
    uint8_t* out = rows.data() + y * rowBytes;
    out[0] = kNoFilter;
    for (uint32_t x = 0; x < pixels.width; ++x, p += kNVBytesPerPixel) {
      const uint8_t level = nearest[GreyValue(p[kNVRed], p[kNVGreen], p[kNVBlue])];
      // The first pixel of a pair goes to the high bits; an odd last pixel
      // leaves the low bits 0.
      out[1 + x / kPixelsPerByte] |= x % kPixelsPerByte == 0 ? uint8_t(level << kIndexDepth) : level;
    }
  }
  return rows;
}

}  // namespace

uint8_t GreyValue(uint8_t r, uint8_t g, uint8_t b) {
  return uint8_t((kRedWeight * r + kGreenWeight * g + kBlueWeight * b) >> kWeightShift);
}

NVBytesResult GreyPng(const NVPixelView& pixels) {
  if (const NVImageStatus fits = NVPictureFits(pixels.width, pixels.height); fits != NVImageStatus::kOk)
    return {{}, fits};
  try {
    const std::vector<uint8_t> palette = PaletteBytes();
    const std::vector<uint8_t> rows = LevelRows(pixels);
    return WritePalettePng({pixels.width, pixels.height, kIndexDepth, palette, rows});
  } catch (const std::bad_alloc&) {
    return {{}, NVImageStatus::kOutOfMemory};
  }
}

}  // namespace quor
