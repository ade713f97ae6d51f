#include "toolkit/BmpDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/SysUtils.h"

namespace {

void PutLe(std::string& out, size_t at, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out[at + i] = static_cast<char>(v >> (8 * i));
}

// A BMP file with a 40-byte header, a palette of `colors` entries and the
// given pixel bytes; the header fields as given, even when they lie.
std::string Bmp(int32_t width, int32_t height, uint16_t bits, uint32_t colors, const std::string& pixels,
                uint32_t headerSize = 40) {
  const uint32_t offBits = 14 + 40 + colors * 4;
  std::string f(offBits, '\0');
  f[0] = 'B', f[1] = 'M';
  PutLe(f, 2, static_cast<uint32_t>(offBits + pixels.size()), 4);
  PutLe(f, 10, offBits, 4);
  PutLe(f, 14, headerSize, 4);
  PutLe(f, 18, static_cast<uint32_t>(width), 4);
  PutLe(f, 22, static_cast<uint32_t>(height), 4);
  PutLe(f, 26, 1, 2);
  PutLe(f, 28, bits, 2);
  PutLe(f, 46, colors, 4);
  for (uint32_t i = 0; i < colors; ++i) PutLe(f, 54 + 4 * i, i == 1 ? 0x00ABCDEFu : 0x00102030u, 4);
  return f + pixels;
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

}  // namespace
