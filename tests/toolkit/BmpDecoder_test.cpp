#include "toolkit/BmpDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/SysUtils.h"

namespace {

void PutLe(std::string& out, size_t at, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out[at + i] = static_cast<char>(v >> (8 * i));
}

// A BMP file: the file header, a header of headerSize bytes (zero beyond
// its first 40), then `extra` (palette or channel masks) and the pixel
// bytes; the header fields as given, even when they lie.
std::string File(int32_t width, int32_t height, uint16_t bits, uint32_t compression, uint32_t colors,
                 const std::string& extra, const std::string& pixels, uint32_t headerSize = 40) {
  const uint32_t offBits = 14 + std::max<uint32_t>(40, headerSize < 1024 ? headerSize : 40) +
                           static_cast<uint32_t>(extra.size());
  std::string f(offBits - extra.size(), '\0');
  f[0] = 'B', f[1] = 'M';
  PutLe(f, 2, static_cast<uint32_t>(offBits + pixels.size()), 4);
  PutLe(f, 10, offBits, 4);
  PutLe(f, 14, headerSize, 4);
  PutLe(f, 18, static_cast<uint32_t>(width), 4);
  PutLe(f, 22, static_cast<uint32_t>(height), 4);
  PutLe(f, 26, 1, 2);
  PutLe(f, 28, bits, 2);
  PutLe(f, 30, compression, 4);
  PutLe(f, 46, colors, 4);
  return f + extra + pixels;
}

// Palette entries, four bytes each.
std::string Palette(const std::vector<uint32_t>& colors) {
  std::string p(4 * colors.size(), '\0');
  for (size_t i = 0; i < colors.size(); ++i) PutLe(p, 4 * i, colors[i], 4);
  return p;
}

// A BMP file with a 40-byte header, a palette of `colors` entries and the
// given pixel bytes; the header fields as given, even when they lie.
std::string Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t colors, const std::string& pixels,
                uint32_t headerSize = 40) {
  std::vector<uint32_t> palette(colors, 0x00102030u);
  if (colors > 1) palette[1] = 0x00ABCDEFu;
  return File(width, height, bits, 0, colors, Palette(palette), pixels, headerSize);
}

std::vector<uint8_t> Row(const std::string& file, int32_t y) {
  const tk::TBmpDecoder bmp({reinterpret_cast<const uint8_t*>(file.data()), file.size()});
  std::vector<uint8_t> row(3 * static_cast<size_t>(bmp.Width()));
  bmp.DecodeRow(y, row.data());
  return row;
}

// Two pixels, 0x102030 then 0xABCDEF, in every depth: the top row of a
// bottom-up two-row picture whose lower row is all zero bytes.
TEST(BmpDecoder, EveryDepthGivesTheSameRow) {
  const std::vector<uint8_t> want = {0x30, 0x20, 0x10, 0xEF, 0xCD, 0xAB};
  const struct {
    uint16_t bits;
    uint32_t colors;
    std::string topRow;
  } cases[] = {
      {1, 2, std::string("\x40\0\0\0", 4)},
      {4, 16, std::string("\x01\0\0\0", 4)},
      {8, 256, std::string("\x00\x01\0\0", 4)},
      {24, 0, std::string("\x30\x20\x10\xEF\xCD\xAB\0\0", 8)},
      {32, 0, std::string("\x30\x20\x10\xFF\xEF\xCD\xAB\xFF", 8)},
  };
  for (const auto& c : cases) {
    const std::string file = Bmp(2, 2, c.bits, c.colors, std::string(c.topRow.size(), '\0') + c.topRow);
    EXPECT_EQ(Row(file, 0), want) << c.bits << " bits";
  }
}

// Where the toolkit's and the skin engine's decoders once differed: sizes
// whose sums wrap round in 32-bit arithmetic (the pixel data's size only
// where size_t has 32 bits, as in the program). Each must be refused before
// any row is read.
TEST(BmpDecoder, SizesThatWrapRoundAreRefused) {
  const std::string row(4, '\1');
  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"header size 14 below 4 GiB: 14 + it is 0", Bmp(1, 1, 8, 2, row, 0xFFFFFFF2)},
      {"header size 4 GiB - 1", Bmp(1, 1, 8, 2, row, 0xFFFFFFFF)},
      {"4 GiB of 32-bit rows, bottom-up", Bmp(32768, 32768, 32, 0, row)},
      {"4 GiB of 32-bit rows, top-down", Bmp(32768, -32768, 32, 0, row)},
  };
  for (const auto& c : cases)
    EXPECT_THROW(tk::TBmpDecoder({reinterpret_cast<const uint8_t*>(c.file.data()), c.file.size()}), tk::EInvalidGraphic)
        << c.what;
}

using Grid = std::vector<std::vector<int>>;

// A palette whose entry i is (i, 0x40 + i, 0x80 + i), so that a decoded
// pixel's blue byte is its palette index.
std::string IndexPalette(uint32_t n) {
  std::vector<uint32_t> colors;
  for (uint32_t i = 0; i < n; ++i) colors.push_back(i | (0x40 + i) << 8 | (0x80 + i) << 16);
  return Palette(colors);
}

// The palette indexes of every pixel, top row first.
Grid Indexes(const std::string& file) {
  const tk::TBmpDecoder bmp({reinterpret_cast<const uint8_t*>(file.data()), file.size()});
  Grid g;
  std::vector<uint8_t> row(3 * static_cast<size_t>(bmp.Width()));
  for (int32_t y = 0; y < bmp.Height(); ++y) {
    bmp.DecodeRow(y, row.data());
    g.emplace_back();
    for (int32_t x = 0; x < bmp.Width(); ++x) {
      EXPECT_EQ(row[3 * x + 1], 0x40 + row[3 * x]) << "not a palette colour at " << x << "," << y;
      g.back().push_back(row[3 * x]);
    }
  }
  return g;
}

// Compressed rows, bottom row first in the data; the expected indexes are
// listed top row first. Pixels the data does not reach keep index 0.
TEST(BmpDecoder, RunLengthCompressedPictures) {
  const struct {
    const char* what;
    uint16_t bits;
    int32_t width, height;
    std::string data;
    Grid want;
  } cases[] = {
      {"RLE8 runs and ends of line", 8, 4, 3, std::string("\x03\x01\0\0\x02\x02\x01\x03\0\0\x04\x05\0\x01", 14),
       {{5, 5, 5, 5}, {2, 2, 3, 0}, {1, 1, 1, 0}}},
      {"RLE8 absolute run, padded to a word", 8, 4, 3, std::string("\0\x03\x07\x08\x09\0\0\x01", 8),
       {{0, 0, 0, 0}, {0, 0, 0, 0}, {7, 8, 9, 0}}},
      {"RLE8 delta two right, one up", 8, 4, 3, std::string("\x01\x04\0\x02\x02\x01\x01\x06\0\x01", 10),
       {{0, 0, 0, 0}, {0, 0, 0, 6}, {4, 0, 0, 0}}},
      {"RLE8 run past the row's end is cut", 8, 4, 3, std::string("\x06\x09\0\0\x01\x02\0\x01", 8),
       {{0, 0, 0, 0}, {2, 0, 0, 0}, {9, 9, 9, 9}}},
      {"RLE8 end of picture stops", 8, 4, 2, std::string("\x01\x01\0\x01\x01\x02", 6), {{0, 0, 0, 0}, {1, 0, 0, 0}}},
      {"RLE8 data ends without end of picture", 8, 4, 2, std::string("\x02\x03", 2), {{0, 0, 0, 0}, {3, 3, 0, 0}}},
      {"RLE8 absolute run cut by the data's end", 8, 4, 2, std::string("\0\x05\x01\x02", 4),
       {{0, 0, 0, 0}, {1, 2, 0, 0}}},
      {"RLE8 delta out of the picture ends it", 8, 4, 2, std::string("\x01\x01\0\x02\0\x09\x01\x02", 8),
       {{0, 0, 0, 0}, {1, 0, 0, 0}}},
      {"RLE8 delta cut by the data's end", 8, 4, 2, std::string("\x01\x01\0\x02\x01", 5), {{0, 0, 0, 0}, {1, 0, 0, 0}}},
      {"RLE8 index beyond the palette", 8, 2, 1, std::string("\x02\x63\0\x01", 4), {{0, 0}}},
      {"RLE4 runs alternate the two nibbles", 4, 5, 2, std::string("\x05\x12\0\0\x03\x34\0\x01", 8),
       {{3, 4, 3, 0, 0}, {1, 2, 1, 2, 1}}},
      {"RLE4 absolute run of 5, padded to 4 bytes", 4, 5, 2, std::string("\0\x05\x12\x34\x50\0\0\x01", 8),
       {{0, 0, 0, 0, 0}, {1, 2, 3, 4, 5}}},
      {"RLE4 absolute run of 3 in 2 bytes, then a run", 4, 5, 2, std::string("\0\x03\xAB\xC0\x02\xDD", 6),
       {{0, 0, 0, 0, 0}, {10, 11, 12, 13, 13}}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Indexes(File(c.width, c.height, c.bits, c.bits == 8 ? 1 : 2, 16, IndexPalette(16), c.data)), c.want)
        << c.what;
}

// 16-bit pictures: 5-5-5 without bit fields, or the masks given; 32-bit
// pictures with bit fields. Narrow channels repeat their top bits below
// themselves: 5 bits of 16 give 132, 6 bits of 1 give 4.
TEST(BmpDecoder, ChannelMasks) {
  const struct {
    const char* what;
    uint16_t bits;
    std::vector<uint32_t> masks;  // none: BI_RGB
    uint32_t pixel;
    std::vector<uint8_t> bgr;
  } cases[] = {
      {"5-5-5 white", 16, {}, 0x7FFF, {255, 255, 255}},
      {"5-5-5 red", 16, {}, 0x7C00, {0, 0, 255}},
      {"5-5-5 blue 16 of 31", 16, {}, 0x0010, {132, 0, 0}},
      {"5-5-5 top bit is not a colour", 16, {}, 0x8000, {0, 0, 0}},
      {"5-6-5 red", 16, {0xF800, 0x07E0, 0x001F}, 0xF800, {0, 0, 255}},
      {"5-6-5 green 1 of 63", 16, {0xF800, 0x07E0, 0x001F}, 0x0020, {0, 4, 0}},
      {"5-6-5 blue and green", 16, {0xF800, 0x07E0, 0x001F}, 0x07FF, {255, 255, 0}},
      {"5-5-5 as bit fields", 16, {0x7C00, 0x03E0, 0x001F}, 0x0010, {132, 0, 0}},
      {"4-4-4 with alpha bits", 16, {0x0F00, 0x00F0, 0x000F}, 0xF8A1, {0x11, 0xAA, 0x88}},
      {"mask beyond 16 bits reads nothing", 16, {0xF0000, 0x07E0, 0x001F}, 0xFFFF, {255, 255, 0}},
      {"32-bit red, green, blue, unused", 32, {0xFF000000, 0x00FF0000, 0x0000FF00}, 0x11223344, {0x33, 0x22, 0x11}},
      {"32-bit 10-10-10 keeps the top 8 bits", 32, {0x3FF00000, 0x000FFC00, 0x000003FF}, 0x3FF00200, {0x80, 0, 255}},
      {"32-bit without a green mask", 32, {0x00FF0000, 0, 0x000000FF}, 0x00ABCDEF, {0xEF, 0, 0xAB}},
  };
  for (const auto& c : cases) {
    std::string pixel(c.bits / 8, '\0');
    PutLe(pixel, 0, c.pixel, c.bits / 8);
    pixel.resize(4, '\0');
    std::string masks(4 * c.masks.size(), '\0');
    for (size_t i = 0; i < c.masks.size(); ++i) PutLe(masks, 4 * i, c.masks[i], 4);
    const uint32_t compression = c.masks.empty() ? 0 : 3;
    EXPECT_EQ(Row(File(1, 1, c.bits, compression, 0, masks, pixel), 0), c.bgr) << c.what;
    // A larger header holds the masks as its next fields.
    if (!c.masks.empty()) {
      std::string v4 = File(1, 1, c.bits, compression, 0, "", pixel, 108);
      v4.replace(54, masks.size(), masks);
      EXPECT_EQ(Row(v4, 0), c.bgr) << c.what << " in a 108-byte header";
    }
  }
}

TEST(BmpDecoder, UnsupportedOrInconsistentFormsAreRefused) {
  const std::string rle = std::string("\x01\x01\0\x01", 4);
  const std::string masks565 = Palette({0xF800, 0x07E0, 0x001F});
  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"RLE8 with 4 bits", File(2, 2, 4, 1, 16, IndexPalette(16), rle)},
      {"RLE4 with 8 bits", File(2, 2, 8, 2, 16, IndexPalette(16), rle)},
      {"RLE8 stored from the top down", File(2, -2, 8, 1, 16, IndexPalette(16), rle)},
      {"RLE8 of more than 4096 x 4096 pixels", File(4097, 4096, 8, 1, 16, IndexPalette(16), rle)},
      {"RLE8 palette past the end", File(2, 2, 8, 1, 300, IndexPalette(16), "")},
      {"bit fields with 24 bits", File(1, 1, 24, 3, 0, masks565, std::string(4, '\0'))},
      {"bit fields with 8 bits", File(1, 1, 8, 3, 0, masks565, std::string(4, '\0'))},
      {"bit-field masks cut off", File(1, 1, 16, 3, 0, "", "").substr(0, 60)},
      {"16-bit rows cut off", File(3, 2, 16, 0, 0, "", std::string(8, '\0'))},
      {"JPEG inside a BMP", File(1, 1, 24, 4, 0, "", std::string(4, '\0'))},
      {"PNG inside a BMP", File(1, 1, 24, 5, 0, "", std::string(4, '\0'))},
  };
  for (const auto& c : cases)
    EXPECT_THROW(tk::TBmpDecoder({reinterpret_cast<const uint8_t*>(c.file.data()), c.file.size()}), tk::EInvalidGraphic)
        << c.what;
}

}  // namespace
