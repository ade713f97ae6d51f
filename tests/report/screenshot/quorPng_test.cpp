// The PNG encoders read back by a small chunk reader of the test's own and
// the codec's inflater: chunk order, header fields, palette sizes, row
// layout. Independent readers check the same files in png_crosscheck_test.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "report/codec/quorZip.h"
#include "report/screenshot/quorColorPng.h"
#include "report/screenshot/quorGreyPng.h"
#include "report/screenshot/quorNVPng.h"
#include "tests/report/screenshot/NVPixelsFixture.h"

namespace {

using quor::NVImageStatus;
using quor::TRgb;

uint32_t Be32(const std::string& s, size_t at) {
  return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 | uint32_t(uint8_t(s[at + 2])) << 8 |
         uint8_t(s[at + 3]);
}

struct TChunk {
  std::string type, data;
};

// The chunks after the signature; fails the test on a bad CRC or length.
std::vector<TChunk> Chunks(const std::string& png) {
  std::vector<TChunk> chunks;
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n"));
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length = Be32(png, at);
    if (length > png.size() - at - 12) {
      ADD_FAILURE() << "chunk longer than the file";
      break;
    }
    const std::string typeAndData = png.substr(at + 4, 4 + length);
    EXPECT_EQ(Be32(png, at + 8 + length), ~quor::Crc32Update(0xFFFFFFFFu, typeAndData.data(), typeAndData.size()));
    chunks.push_back({typeAndData.substr(0, 4), typeAndData.substr(4)});
    at += 12 + length;
  }
  return chunks;
}

// The image data inflated from the IDAT's zlib stream of `rowsSize` bytes.
std::string Rows(const std::string& idat, size_t rowsSize) {
  EXPECT_EQ(idat.substr(0, 2), std::string("\x78\xDA"));
  std::string rows(rowsSize, '\0');
  const std::string raw = idat.substr(2, idat.size() - 6);
  EXPECT_EQ(quor::InflateBuffer(raw.data(), rows.data(), uint32_t(raw.size()), uint32_t(rows.size())), int(rowsSize));
  EXPECT_EQ(Be32(idat, idat.size() - 4), quor::Adler32Sum(rows.data(), rows.size()));
  return rows;
}

struct TDecoded {
  uint32_t width = 0, height = 0, depth = 0;
  std::string palette, rows;
};

TDecoded Decode(const std::string& png) {
  const std::vector<TChunk> chunks = Chunks(png);
  std::string types;
  for (const TChunk& c : chunks) types += c.type + " ";
  EXPECT_EQ(types, "IHDR PLTE IDAT IEND ");
  if (chunks.size() != 4) return {};
  const std::string& ihdr = chunks[0].data;
  EXPECT_EQ(ihdr.size(), 13u);
  TDecoded d{Be32(ihdr, 0), Be32(ihdr, 4), uint8_t(ihdr[8]), chunks[1].data, {}};
  EXPECT_EQ(ihdr.substr(9), std::string("\x03\0\0\0", 4));  // indexed colour, deflate, no filter or interlace
  const size_t rowBytes = 1 + (size_t(d.width) * d.depth + 7) / 8;
  d.rows = Rows(chunks[2].data, rowBytes * d.height);
  for (uint32_t y = 0; y < d.height; ++y) EXPECT_EQ(d.rows[y * rowBytes], 0) << "filter byte of row " << y;
  return d;
}

TEST(Png, ColorAndGreyLayoutForEveryShape) {
  const struct { uint32_t width, height; } shapes[] = {{1, 1}, {1, 2000}, {2000, 1}, {3, 2}, {17, 5}};
  const TRgb colors[] = {{255, 0, 0}, {0, 0, 255}, {250, 250, 250}};
  for (const auto& s : shapes) {
    // Colour index i % 3 at pixel i, counted from the top left.
    const quor::NVPixels picture =
        fixture::Picture(s.width, s.height, [&](uint32_t x, uint32_t y) { return colors[(y * s.width + x) % 3]; });
    const std::string name = std::to_string(s.width) + "x" + std::to_string(s.height);

    const quor::NVBytesResult color = quor::ColorPng(picture.View());
    ASSERT_EQ(color.status, NVImageStatus::kOk) << name;
    const TDecoded c = Decode(color.bytes);
    EXPECT_EQ(c.width, s.width);
    EXPECT_EQ(c.height, s.height);
    EXPECT_EQ(c.depth, 8u);
    ASSERT_EQ(c.palette.size(), 768u) << name;  // always 256 entries
    for (uint32_t i = 0; i < s.width * s.height; ++i) {
      const uint8_t index = uint8_t(c.rows[(i / s.width) * (s.width + 1) + 1 + i % s.width]);
      const TRgb want = colors[i % 3];
      EXPECT_EQ(
          (TRgb{uint8_t(c.palette[3 * index]), uint8_t(c.palette[3 * index + 1]), uint8_t(c.palette[3 * index + 2])}),
          want)
          << name << " pixel " << i;
    }

    const quor::NVBytesResult grey = quor::GreyPng(picture.View());
    ASSERT_EQ(grey.status, NVImageStatus::kOk) << name;
    const TDecoded g = Decode(grey.bytes);
    EXPECT_EQ(g.depth, 4u);
    EXPECT_EQ(g.palette.size(), 48u);
    EXPECT_EQ(g.palette.substr(3 * 15), "\xff\xff\xff");
    // Levels of red (76 -> 73), blue (27 -> 28) and near white (250 -> 255),
    // two to a byte, the first in the high bits, an odd last one alone.
    const uint8_t levels[] = {3, 1, 15};
    const size_t rowBytes = (s.width + 1) / 2 + 1;
    for (uint32_t i = 0; i < s.width * s.height; ++i) {
      const uint8_t packed = uint8_t(g.rows[(i / s.width) * rowBytes + 1 + (i % s.width) / 2]);
      EXPECT_EQ(i % s.width % 2 == 0 ? packed >> 4 : packed & 15, levels[i % 3]) << name << " pixel " << i;
    }
    if (s.width % 2) {
      for (uint32_t y = 0; y < s.height; ++y) EXPECT_EQ(g.rows[y * rowBytes + rowBytes - 1] & 15, 0) << name;
    }
  }
}

TEST(Png, PicturesWithoutPixelsOrTooLargeGiveNoFile) {
  const struct {
    uint32_t width, height;
    NVImageStatus status;
  } cases[] = {
      {0, 0, NVImageStatus::kEmptyPicture},     {0, 5, NVImageStatus::kEmptyPicture},
      {5, 0, NVImageStatus::kEmptyPicture},     {32769, 1, NVImageStatus::kTooLarge},
      {32768, 32768, NVImageStatus::kTooLarge},  // 4 GB of pixels
  };
  for (const auto& c : cases) {
    const quor::NVPixelView nothing{c.width, c.height, nullptr};  // never read
    for (const quor::NVBytesResult& r : {quor::ColorPng(nothing), quor::GreyPng(nothing)}) {
      EXPECT_EQ(r.status, c.status) << c.width << "x" << c.height;
      EXPECT_TRUE(r.bytes.empty());
    }
  }
  EXPECT_EQ(quor::NVImageStatusText(NVImageStatus::kEmptyPicture),
            "the picture has no pixels (its width or height is 0)");
}

quor::NVPixels Noise(uint32_t side) {
  std::mt19937 random(3);
  return fixture::Picture(side, side, [&](uint32_t, uint32_t) {
    return TRgb{uint8_t(random()), uint8_t(random()), uint8_t(random())};
  });
}

TEST(Png, EncodingLeavesThePictureAlone) {
  const quor::NVPixels picture = Noise(40);
  const std::vector<uint8_t> before = picture.Bits();
  for (const auto mode : {quor::NVPngMode::kColor, quor::NVPngMode::kGrey, quor::NVPngMode::kColorWithin50K}) {
    EXPECT_EQ(quor::NVPixelsAsPng(picture.View(), mode).status, NVImageStatus::kOk);
    EXPECT_EQ(picture.Bits(), before) << int(mode);
  }
}

TEST(Png, ModesChooseColourOrTheSmallerGrey) {
  // Colour noise: its 256-colour PNG (about 90 KB) is twice the grey one.
  const quor::NVPixels noise = Noise(300);
  const quor::NVPixels flat = fixture::Picture(300, 300, [](uint32_t x, uint32_t) {
    return x < 150 ? TRgb{10, 200, 30} : TRgb{200, 10, 30};
  });
  const struct {
    const quor::NVPixels* picture;
    quor::NVPngMode mode;
    uint32_t depth;
  } cases[] = {
      {&noise, quor::NVPngMode::kColor, 8},
      {&noise, quor::NVPngMode::kGrey, 4},
      {&noise, quor::NVPngMode::kColorWithin50K, 4},
      {&noise, quor::NVPngMode::kColorWithin100K, 8},
      {&noise, quor::NVPngMode::kColorWithin300K, 8},
      {&flat, quor::NVPngMode::kColorWithin50K, 8},
      {&flat, quor::NVPngMode::kGrey, 4},
  };
  ASSERT_GT(quor::ColorPng(noise.View()).bytes.size(), 51200u);
  ASSERT_LT(quor::ColorPng(noise.View()).bytes.size(), 102400u);
  for (const auto& c : cases) {
    const quor::NVBytesResult png = quor::NVPixelsAsPng(c.picture->View(), c.mode);
    ASSERT_EQ(png.status, NVImageStatus::kOk);
    EXPECT_EQ(Decode(png.bytes).depth, c.depth) << int(c.mode);
  }
}

}  // namespace
