#include "report/screenshot/quorBmpFile.h"

#include <cstring>
#include <new>

#include "report/text/quorLittleEndian.h"

namespace quor {

namespace {

// The file header (BITMAPFILEHEADER) and its fields.
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kFileSizeAt = 2, kPixelsOffsetAt = 10;
// The information header (BITMAPINFOHEADER) and its fields, counted from its start.
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;  // the older header without compression or masks
constexpr size_t kWidthAt = 4, kHeightAt = 8, kPlanesAt = 12, kBitCountAt = 14, kCompressionAt = 16, kImageSizeAt = 20;
constexpr size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

constexpr uint16_t kPlanes = 1;
constexpr uint32_t kUncompressed = 0;  // BI_RGB
constexpr uint32_t kBitFields = 3;     // BI_BITFIELDS: colour masks after the 40-byte header
constexpr uint32_t kRedMask = 0xFF0000, kGreenMask = 0xFF00, kBlueMask = 0xFF;
constexpr size_t kMasksSize = 12;
constexpr size_t kColorBytes = 3;  // blue, green, red at the start of every pixel

size_t RowStride(uint32_t width, uint32_t bitCount) { return (size_t(width) * bitCount + 31) / 32 * 4; }

// The checked layout of a BMP file's pixels.
struct TBmpLayout {
  uint32_t width = 0, height = 0, bytesPerPixel = 0;
  bool topDown = false;
  size_t pixelsAt = 0, stride = 0;
};

// Only a 32-bit picture with the masks of plain blue, green, red bytes is
// read as bit fields.
bool PlainMasks(std::span<const uint8_t> file) {
  const uint8_t* masks = file.data() + kHeadersSize;
  return LoadLe32(masks) == kRedMask && LoadLe32(masks + 4) == kGreenMask && LoadLe32(masks + 8) == kBlueMask;
}

NVImageStatus CheckLayout(std::span<const uint8_t> file, TBmpLayout& layout) {
  const size_t size = file.size();
  if (size < kFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') return NVImageStatus::kNotBmp;
  const uint8_t* info = file.data() + kFileHeaderSize;
  const uint32_t headerSize = LoadLe32(info);
  if (headerSize == kCoreHeaderSize) return NVImageStatus::kBmpUnsupported;
  if (headerSize < kInfoHeaderSize) return NVImageStatus::kBmpInconsistent;
  // Compared without adding to the header size, which may be near 4 GiB.
  if (headerSize > size - kFileHeaderSize) return NVImageStatus::kBmpTruncated;

  const int64_t width = int32_t(LoadLe32(info + kWidthAt));
  const int64_t rawHeight = int32_t(LoadLe32(info + kHeightAt));
  const uint32_t bitCount = LoadLe16(info + kBitCountAt);
  const uint32_t compression = LoadLe32(info + kCompressionAt);
  if (LoadLe16(info + kPlanesAt) != kPlanes || width < 0) return NVImageStatus::kBmpInconsistent;
  if (bitCount != 24 && bitCount != 32) return NVImageStatus::kBmpUnsupported;
  size_t headersEnd = kFileHeaderSize + headerSize;
  if (compression == kBitFields && bitCount == 32) {
    if (size < kHeadersSize + kMasksSize) return NVImageStatus::kBmpTruncated;
    if (!PlainMasks(file)) return NVImageStatus::kBmpUnsupported;
    if (headerSize == kInfoHeaderSize) headersEnd += kMasksSize;
  } else if (compression != kUncompressed) {
    return NVImageStatus::kBmpUnsupported;
  }

  const int64_t height = rawHeight < 0 ? -rawHeight : rawHeight;
  layout.width = uint32_t(width);
  layout.height = uint32_t(height);
  if (const NVImageStatus fits = NVPictureFits(layout.width, layout.height); fits != NVImageStatus::kOk) return fits;
  layout.topDown = rawHeight < 0;
  layout.bytesPerPixel = bitCount / 8;
  layout.stride = RowStride(layout.width, bitCount);

  // Within the limits of a picture every product below fits in 64 bits and
  // in the 32-bit fields it is compared with.
  const uint64_t pixelBytes = uint64_t(layout.stride) * layout.height;
  const uint32_t pixelsAt = LoadLe32(file.data() + kPixelsOffsetAt);
  const uint32_t fileSize = LoadLe32(file.data() + kFileSizeAt);
  const uint32_t imageSize = LoadLe32(info + kImageSizeAt);
  if (pixelsAt < headersEnd) return NVImageStatus::kBmpInconsistent;  // the pixels would overlap the headers
  if (imageSize != 0 && imageSize < pixelBytes) return NVImageStatus::kBmpInconsistent;
  if (fileSize != 0 && fileSize < pixelsAt + pixelBytes) return NVImageStatus::kBmpInconsistent;
  if (fileSize > size || pixelsAt > size || pixelBytes > size - pixelsAt) return NVImageStatus::kBmpTruncated;
  layout.pixelsAt = pixelsAt;
  return NVImageStatus::kOk;
}

}  // namespace

NVBytesResult NVPixelsAsBmp(const NVPixelView& pixels) {
  if (const NVImageStatus fits = NVPictureFits(pixels.width, pixels.height); fits != NVImageStatus::kOk)
    return {{}, fits};
  const uint32_t imageSize = uint32_t(pixels.RowBytes() * pixels.height);
  NVBytesResult result;
  try {
    std::string& out = result.bytes;
    out.reserve(kHeadersSize + imageSize);
    out += "BM";
    AppendLe32(out, uint32_t(kHeadersSize) + imageSize);
    AppendLe32(out, 0);  // two reserved words
    AppendLe32(out, uint32_t(kHeadersSize));
    AppendLe32(out, kInfoHeaderSize);
    AppendLe32(out, pixels.width);
    AppendLe32(out, pixels.height);  // positive: bottom-up rows
    AppendLe16(out, kPlanes);
    AppendLe16(out, uint16_t(kNVBytesPerPixel * 8));
    AppendLe32(out, kUncompressed);
    AppendLe32(out, imageSize);
    out.append(kHeadersSize - out.size(), '\0');  // resolution and colour counts: none given
    out.append(reinterpret_cast<const char*>(pixels.bits), imageSize);
  } catch (const std::bad_alloc&) {
    return {{}, NVImageStatus::kOutOfMemory};
  }
  return result;
}

NVPixelsResult ReadBmpFile(std::span<const uint8_t> file) {
  TBmpLayout layout;
  if (const NVImageStatus status = CheckLayout(file, layout); status != NVImageStatus::kOk) return {{}, status};
  NVPixelsResult result;
  try {
    result.pixels = NVPixels(layout.width, layout.height);
  } catch (const std::bad_alloc&) {
    return {{}, NVImageStatus::kOutOfMemory};
  }
  for (uint32_t y = 0; y < layout.height; ++y) {
    const uint32_t fileRow = layout.topDown ? y : layout.height - 1 - y;
    const uint8_t* src = file.data() + layout.pixelsAt + fileRow * layout.stride;
    uint8_t* dst = result.pixels.TopRow(y);
    for (uint32_t x = 0; x < layout.width; ++x, src += layout.bytesPerPixel, dst += kNVBytesPerPixel)
      std::memcpy(dst, src, kColorBytes);  // the unused byte stays 0
  }
  return result;
}

}  // namespace quor
