// JPEG textures: a small picture decodes; a header that declares more than
// 4096 x 4096 pixels is refused as soon as it is read, for baseline and
// progressive pictures alike, whatever data follows.
#include "skin/sJpegImage.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/skin/SkinFixture.h"
#include "toolkit/SysUtils.h"

namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

// The picture with the size in its frame header (marker FF C0) replaced,
// and the marker made `frameMarker` (C2: progressive).
std::string WithFrame(std::string jpeg, uint16_t width, uint16_t height, char frameMarker) {
  const size_t sof = jpeg.find("\xFF\xC0");
  EXPECT_NE(sof, std::string::npos);
  jpeg[sof + 1] = frameMarker;
  jpeg[sof + 5] = static_cast<char>(height >> 8), jpeg[sof + 6] = static_cast<char>(height);
  jpeg[sof + 7] = static_cast<char>(width >> 8), jpeg[sof + 8] = static_cast<char>(width);
  return jpeg;
}

TEST(JpegImage, DecodesASmallPicture) {
  const skin::TsBitmap24 b = skin::DecodeJpeg(Bytes(skintest::Jpeg(8, 6, 0x808080)));
  ASSERT_EQ(b.Width(), 8);
  ASSERT_EQ(b.Height(), 6);
  for (const int c : {0, 8, 16}) EXPECT_NEAR(static_cast<int>((b.Pixel(3, 3) >> c) & 0xFF), 0x80, 2);
}

TEST(JpegImage, PicturesOverTheSizeLimitAreRefusedAtTheHeader) {
  const std::string small = skintest::Jpeg(8, 8, 0x808080);
  const struct {
    uint16_t width, height;
    char marker;
  } cases[] = {{4097, 4096, '\xC0'}, {4096, 4097, '\xC0'}, {65500, 65500, '\xC0'}, {65500, 65500, '\xC2'}};
  for (const auto& c : cases) {
    try {
      (void)skin::DecodeJpeg(Bytes(WithFrame(small, c.width, c.height, c.marker)));
      ADD_FAILURE() << c.width << " x " << c.height << " decoded";
    } catch (const tk::EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "JPEG image is too large") << c.width << " x " << c.height;
    }
  }
}

}  // namespace
