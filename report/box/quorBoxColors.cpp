#include "report/box/quorBoxColors.h"

#include <cstddef>

namespace quor {
namespace {

constexpr int32_t kChannels = 3;
uint32_t Channel(uint32_t color, int32_t i) { return (color >> (8 * i)) & 0xFF; }

}  // namespace

uint32_t StepColor(uint32_t color, uint32_t step, bool disabled) {
  const uint32_t s = disabled ? step / 2 : step;
  int32_t over = 0;
  for (int32_t i = 0; i < kChannels; ++i) over += Channel(color, i) + Channel(s, i) > 255;
  uint32_t out = 0;
  for (int32_t i = 0; i < kChannels; ++i) {
    const int32_t c = int32_t(Channel(color, i)), d = int32_t(Channel(s, i));
    int32_t v = over >= 2 ? c - d : c + d;
    v = v < 0 ? 0 : (v > 255 ? 255 : v);
    out |= uint32_t(v) << (8 * i);
  }
  return out;
}

uint32_t MixColor(uint32_t from, uint32_t to, int32_t frame, int32_t frames) {
  uint32_t out = 0;
  for (int32_t i = 0; i < kChannels; ++i)
    out |= ((Channel(from, i) * uint32_t(frames - frame) + Channel(to, i) * uint32_t(frame)) / uint32_t(frames))
           << (8 * i);
  return out;
}

uint32_t SoftLineColor(uint32_t line, uint32_t background, int32_t distance) {
  return MixColor(line, background, distance, 4);
}

uint32_t BlendPixel(uint32_t background, uint32_t iconPixel) {
  const uint32_t a = (iconPixel >> 24) + 1;
  uint32_t out = 0;
  for (int32_t i = 0; i < kChannels; ++i)
    out |= ((Channel(background, i) * (256 - a) + Channel(iconPixel, i) * a) / 256) << (8 * i);
  return out;
}

void BlendIcon(uint32_t* picture, int32_t width, int32_t height, int32_t x, int32_t y, const uint8_t* icon,
               int32_t size) {
  for (int32_t iy = 0; iy < size; ++iy) {
    const int32_t py = y + iy;
    if (py < 0 || py >= height) continue;
    const uint8_t* source = icon + 4 * size_t(size - 1 - iy) * size_t(size);
    uint32_t* row = picture + size_t(height - 1 - py) * size_t(width);
    for (int32_t ix = 0; ix < size; ++ix) {
      const int32_t px = x + ix;
      if (px < 0 || px >= width) continue;
      const uint8_t* p = source + 4 * ix;
      const uint32_t pixel = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
      row[px] = BlendPixel(row[px], pixel);
    }
  }
}

}  // namespace quor
