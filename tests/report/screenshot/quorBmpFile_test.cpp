#include "report/screenshot/quorBmpFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "report/text/quorLittleEndian.h"
#include "tests/report/screenshot/NVPixelsFixture.h"

namespace {

using quor::NVImageStatus;
using quor::TRgb;
using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A BMP file as other programs write them: `headerSize` bytes of
// information header, `bits` 24 or 32, rows bottom-up unless topDown,
// padded to 4 bytes; with bit fields the three masks after a 40-byte header
// or inside a longer one.
struct TBmpSpec {
  uint32_t headerSize = 40;
  uint16_t bits = 24;
  uint32_t compression = 0;
  bool topDown = false;
  uint8_t fourthByte = 0;  // what a 32-bit writer puts in the unused byte
};

Bytes MakeBmp(const TBmpSpec& spec, uint32_t width, const std::vector<std::vector<TRgb>>& rowsFromTop) {
  const uint32_t height = uint32_t(rowsFromTop.size());
  const uint32_t stride = (width * spec.bits + 31) / 32 * 4;
  const bool masksAfterHeader = spec.compression == 3 && spec.headerSize == 40;
  const uint32_t pixelsAt = 14 + spec.headerSize + (masksAfterHeader ? 12 : 0);
  std::string f = "BM";
  quor::AppendLe32(f, pixelsAt + stride * height);
  quor::AppendLe32(f, 0);
  quor::AppendLe32(f, pixelsAt);
  quor::AppendLe32(f, spec.headerSize);
  quor::AppendLe32(f, width);
  quor::AppendLe32(f, spec.topDown ? uint32_t(-int32_t(height)) : height);
  quor::AppendLe16(f, 1);
  quor::AppendLe16(f, spec.bits);
  quor::AppendLe32(f, spec.compression);
  quor::AppendLe32(f, stride * height);
  f.append(16, '\0');
  if (spec.compression == 3) {
    quor::AppendLe32(f, 0xFF0000);
    quor::AppendLe32(f, 0xFF00);
    quor::AppendLe32(f, 0xFF);
  }
  f.resize(pixelsAt, '\0');  // the rest of a longer header
  for (uint32_t i = 0; i < height; ++i) {
    const std::vector<TRgb>& row = rowsFromTop[spec.topDown ? i : height - 1 - i];
    const size_t rowStart = f.size();
    for (const TRgb c : row) {
      f += {char(c.b), char(c.g), char(c.r)};
      if (spec.bits == 32) f += char(spec.fourthByte);
    }
    f.resize(rowStart + stride, '\0');
  }
  return ToBytes(f);
}

const std::vector<std::vector<TRgb>> kRows = {
    {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
    {{1, 2, 3}, {250, 251, 252}, {128, 64, 32}},
};

void ExpectRows(const quor::NVPixelsResult& loaded, const std::string& what) {
  ASSERT_EQ(loaded.status, NVImageStatus::kOk) << what << ": " << quor::NVImageStatusText(loaded.status);
  ASSERT_EQ(loaded.pixels.Width(), 3u) << what;
  ASSERT_EQ(loaded.pixels.Height(), 2u) << what;
  for (uint32_t y = 0; y < 2; ++y)
    for (uint32_t x = 0; x < 3; ++x) {
      EXPECT_EQ(fixture::PixelAt(loaded.pixels.View(), x, y), kRows[y][x]) << what << " " << x << "," << y;
      EXPECT_EQ(loaded.pixels.View().TopRow(y)[x * 4 + 3], 0) << what << " unused byte";
    }
}

TEST(BmpFile, WritesHeadersAndPixelsAsStored) {
  const quor::NVPixels picture = fixture::Picture(3, 2, [](uint32_t x, uint32_t y) { return kRows[y][x]; });
  const std::string bmp = quor::NVPixelsAsBmp(picture.View()).bytes;
  const std::string headers(
      "BM\x4e\0\0\0\0\0\0\0\x36\0\0\0"                // file size 54 + 24, pixels at 54
      "\x28\0\0\0\3\0\0\0\2\0\0\0\1\0\x20\0\0\0\0\0"  // 40-byte header, 3 x 2, 1 plane, 32 bits, BI_RGB
      "\x18\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0",   // image size 24
      54);
  EXPECT_EQ(bmp.substr(0, 54), headers);
  EXPECT_EQ(ToBytes(bmp.substr(54)), picture.Bits());  // the bottom row first
  ExpectRows(quor::ReadBmpFile(ToBytes(bmp)), "our own");
}

TEST(BmpFile, LoadsWhatImageEditorsSave) {
  const struct {
    const char* what;
    TBmpSpec spec;
  } cases[] = {
      {"24 bits, padded rows", {}},
      {"24 bits, top-down", {.topDown = true}},
      {"32 bits with alpha", {.bits = 32, .fourthByte = 0xFF}},
      {"32-bit bit fields after the header", {.bits = 32, .compression = 3, .fourthByte = 0x80}},
      {"32-bit bit fields in a version 5 header", {.headerSize = 124, .bits = 32, .compression = 3, .topDown = true}},
  };
  for (const auto& c : cases) ExpectRows(quor::ReadBmpFile(MakeBmp(c.spec, 3, kRows)), c.what);
}

Bytes Patched(Bytes file, size_t at, uint32_t value, size_t width = 4) {
  for (size_t i = 0; i < width; ++i) file[at + i] = uint8_t(value >> (8 * i));
  return file;
}

TEST(BmpFile, BadFilesGiveAReasonAndNoPicture) {
  const Bytes good = MakeBmp({}, 3, kRows);  // 24 bits: pixels at 54, 2 rows of 12 bytes
  const Bytes fields = MakeBmp({.bits = 32, .compression = 3}, 3, kRows);
  const struct {
    const char* what;
    Bytes file;
    NVImageStatus status;
  } cases[] = {
      {"empty", {}, NVImageStatus::kNotBmp},
      {"signature only", {'B', 'M'}, NVImageStatus::kNotBmp},
      {"other signature", Patched(good, 0, 'P' | 'K' << 8, 2), NVImageStatus::kNotBmp},
      {"cut in the header", Bytes(good.begin(), good.begin() + 30), NVImageStatus::kBmpTruncated},
      {"cut in the pixels", Bytes(good.begin(), good.end() - 1), NVImageStatus::kBmpTruncated},
      {"header of 12 bytes", Patched(good, 14, 12), NVImageStatus::kBmpUnsupported},
      {"header of 20 bytes", Patched(good, 14, 20), NVImageStatus::kBmpInconsistent},
      {"header near 4 GB", Patched(good, 14, 0xFFFFFFF0), NVImageStatus::kBmpTruncated},
      {"width 0", Patched(good, 18, 0), NVImageStatus::kEmptyPicture},
      {"height 0", Patched(good, 22, 0), NVImageStatus::kEmptyPicture},
      {"negative width", Patched(good, 18, uint32_t(-3)), NVImageStatus::kBmpInconsistent},
      {"width beyond a screenshot", Patched(good, 18, 40000), NVImageStatus::kTooLarge},
      {"height of -2^31", Patched(good, 22, 0x80000000), NVImageStatus::kTooLarge},
      {"width beyond the data", Patched(good, 18, 1000), NVImageStatus::kBmpInconsistent},
      {"2 planes", Patched(good, 26, 2, 2), NVImageStatus::kBmpInconsistent},
      {"8 bits", Patched(good, 28, 8, 2), NVImageStatus::kBmpUnsupported},
      {"16 bits", Patched(good, 28, 16, 2), NVImageStatus::kBmpUnsupported},
      {"run-length compressed", Patched(good, 30, 1), NVImageStatus::kBmpUnsupported},
      {"24-bit bit fields", Patched(good, 30, 3), NVImageStatus::kBmpUnsupported},
      {"other colour masks", Patched(fields, 54, 0xFF000000), NVImageStatus::kBmpUnsupported},
      {"pixels inside the header", Patched(good, 10, 40), NVImageStatus::kBmpInconsistent},
      {"pixels inside the masks", Patched(fields, 10, 58), NVImageStatus::kBmpInconsistent},
      {"pixels beyond the file", Patched(good, 10, 0xFFFFFF00), NVImageStatus::kBmpInconsistent},
      {"image size below the pixels", Patched(good, 34, 23), NVImageStatus::kBmpInconsistent},
      {"file size below the pixels", Patched(good, 2, 77), NVImageStatus::kBmpInconsistent},
      {"file size beyond the file", Patched(good, 2, 1000), NVImageStatus::kBmpTruncated},
  };
  ExpectRows(quor::ReadBmpFile(good), "unpatched");
  for (const auto& c : cases) {
    const quor::NVPixelsResult r = quor::ReadBmpFile(c.file);
    EXPECT_EQ(r.status, c.status) << c.what << ": " << quor::NVImageStatusText(r.status);
    EXPECT_EQ(r.pixels.Width(), 0u) << c.what;
    EXPECT_TRUE(r.pixels.Bits().empty()) << c.what;
  }
}

TEST(BmpFile, PicturesWithoutPixelsGiveNoFile) {
  const quor::NVBytesResult r = quor::NVPixelsAsBmp({0, 0, nullptr});
  EXPECT_EQ(r.status, NVImageStatus::kEmptyPicture);
  EXPECT_TRUE(r.bytes.empty());
}

}  // namespace
