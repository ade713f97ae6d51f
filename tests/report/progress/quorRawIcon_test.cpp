#include "report/progress/quorRawIcon.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using quor::BlendRawIcon;
using quor::RawIconSize;

// A 2 x 2 icon: its header is not read, only its size counts.
std::vector<uint8_t> Icon2x2(const uint8_t (&bgra)[4][4]) {
  std::vector<uint8_t> bytes(quor::kRawIconHeaderSize, 0);
  for (const auto& p : bgra) bytes.insert(bytes.end(), p, p + 4);
  return bytes;
}

TEST(RawIcon, SizeMustBeExact) {
  EXPECT_EQ(RawIconSize(32), 4136u);
  EXPECT_EQ(RawIconSize(16), 1064u);
  for (size_t size : {0u, 40u, 4135u, 4137u, 1064u})
    EXPECT_FALSE(BlendRawIcon(std::vector<uint8_t>(size), 32, 0)) << size;
  EXPECT_TRUE(BlendRawIcon(std::vector<uint8_t>(4136), 32, 0));
}

TEST(RawIcon, BlendsByOpacityAndTurnsRowsTopDown) {
  // Stored bottom-up: the first two pixels are the bottom row.
  const uint8_t stored[4][4] = {
      {10, 20, 30, 255},    // bottom left: opaque
      {200, 100, 0, 0},     // bottom right: transparent (a = 1)
      {0, 0, 255, 127},     // top left: half (a = 128)
      {255, 255, 255, 63},  // top right: a = 64
  };
  const uint32_t background = 0x00C0D0E0;  // red E0, green D0, blue C0
  const auto pixels = BlendRawIcon(Icon2x2(stored), 2, background);
  ASSERT_TRUE(pixels);
  const auto blend = [](uint32_t bg, uint32_t icon, uint32_t a) { return (bg * (256 - a) + icon * a) / 256; };
  const auto rgb = [](uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; };
  const uint32_t expected[4] = {
      rgb(blend(0xE0, 255, 128), blend(0xD0, 0, 128), blend(0xC0, 0, 128)),
      rgb(blend(0xE0, 255, 64), blend(0xD0, 255, 64), blend(0xC0, 255, 64)),
      rgb(30, 20, 10),
      rgb(blend(0xE0, 0, 1), blend(0xD0, 100, 1), blend(0xC0, 200, 1)),
  };
  for (int i = 0; i < 4; ++i) EXPECT_EQ((*pixels)[size_t(i)], expected[i]) << i;
}

}  // namespace
