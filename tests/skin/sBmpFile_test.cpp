#include "skin/sBmpFile.h"

#include <gtest/gtest.h>

#include "tests/skin/SkinFixture.h"
#include "toolkit/SysUtils.h"

namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

TEST(BmpFile, EightBitRoundTripKeepsEveryPixel) {
  const std::string file = skintest::Bmp8(5, 3, {0xFF00FF, 0x123456, 0xFFFFFF});
  const skin::TsBitmap24 b = skin::ReadBmp(Bytes(file));
  ASSERT_EQ(b.Width(), 5);
  ASSERT_EQ(b.Height(), 3);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF00FFu);
  EXPECT_EQ(b.Pixel(1, 0), 0x123456u);
  EXPECT_EQ(b.Pixel(2, 0), 0xFFFFFFu);
  EXPECT_EQ(b.Pixel(4, 2), 0xFF00FFu);  // rows keep their order although BMP stores them bottom-up
}

TEST(BmpFile, BadFilesRaiseTheGraphicsError) {
  const std::string good = skintest::Bmp8(4, 4, {0, 0xFFFFFF});
  auto patched = [&](size_t at, uint32_t v, int n) {
    std::string s = good;
    for (int i = 0; i < n; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
    return s;
  };
  const std::string cases[] = {
      "",
      "BM",
      good.substr(0, 60),               // header cut
      good.substr(0, good.size() - 1),  // last row cut
      patched(0, 'X', 1),               // signature
      patched(14, 12, 4),               // old core header
      patched(18, 0, 4),                // width 0
      patched(18, 0xFFFFFFFF, 4),       // negative width
      patched(22, 0, 4),                // height 0
      patched(22, 0x7FFFFFFF, 4),       // absurd height
      patched(28, 7, 2),                // 7 bits per pixel
      patched(30, 2, 4),                // 4-bit run lengths on an 8-bit picture
      patched(30, 4, 4),                // a JPEG inside
      patched(46, 1000, 4),             // more colours than 8 bits hold
      patched(10, 0xFFFFFF00, 4),       // pixel data far outside the file
      patched(14, 0xFFFFFFF0, 4),       // header size beyond the file
  };
  for (const std::string& c : cases) EXPECT_THROW(skin::ReadBmp(Bytes(c)), tk::EInvalidGraphic) << c.size();
}

}  // namespace
