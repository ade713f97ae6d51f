// The icon painter: the raw resource's header and size, and antialiased
// edges in the opacity byte.
#include "tools/IconCanvas.h"

#include <gtest/gtest.h>

#include <cstring>

namespace icons {
namespace {

uint32_t Read32(const std::string& s, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, s.data() + at, 4);
  return v;
}

// Opacity of pixel (x, y), y counted from the top.
uint8_t Opacity(const std::string& s, int32_t size, int32_t x, int32_t y) {
  return uint8_t(s[40 + 4 * size_t((size - 1 - y) * size + x) + 3]);
}

TEST(IconCanvas, ResourceIsHeaderAndBottomUpPixels) {
  for (int32_t size : {16, 32}) {
    Canvas c(size);
    c.Fill(Rect(0, 0, double(size), 1), {10, 20, 30});  // the top row only
    const std::string r = c.Resource();
    ASSERT_EQ(r.size(), 40u + 4u * size_t(size) * size_t(size));
    EXPECT_EQ(Read32(r, 0), 40u);
    EXPECT_EQ(Read32(r, 4), uint32_t(size));
    EXPECT_EQ(Read32(r, 8), uint32_t(size));
    EXPECT_EQ(Read32(r, 12), 1u | (32u << 16));  // one plane, 32 bits per pixel
    EXPECT_EQ(Read32(r, 16), 0u);                // no compression
    // The top row is stored last: blue, green, red, opacity.
    const size_t last = r.size() - 4;
    EXPECT_EQ(Read32(r, last), 0xFF0A141Eu);
    EXPECT_EQ(Opacity(r, size, 0, 1), 0);
  }
}

TEST(IconCanvas, EdgesArePartlyOpaque) {
  Canvas c(16);
  c.Fill(Circle(8, 8, 6), {200, 0, 0});
  const std::string r = c.Resource();
  EXPECT_EQ(Opacity(r, 16, 8, 8), 255);
  EXPECT_EQ(Opacity(r, 16, 0, 0), 0);
  const uint8_t edge = Opacity(r, 16, 12, 4);  // on the circle's rim
  EXPECT_GT(edge, 0);
  EXPECT_LT(edge, 255);
}

TEST(IconCanvas, LayersKeepStraightColours) {
  Canvas c(16);
  c.Fill(Rect(0, 0, 16, 16), {0, 0, 255});
  c.Fill(Rect(0, 0, 8, 16), {255, 255, 255});
  const std::string r = c.Resource();
  EXPECT_EQ(Read32(r, 40), 0xFFFFFFFFu);          // white over blue, opaque
  EXPECT_EQ(Read32(r, 40 + 4 * 15), 0xFF0000FFu);  // blue alone: blue byte first
}

}  // namespace
}  // namespace icons
