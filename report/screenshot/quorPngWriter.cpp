#include "report/screenshot/quorPngWriter.h"

#include <new>
#include <string_view>

#include "report/codec/quorZip.h"
#include "report/text/quorBigEndian.h"

namespace quor {

namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
constexpr size_t kChunkFrame = 12;  // length, type and CRC around a chunk's data
constexpr size_t kTypeSize = 4;
constexpr size_t kHeaderData = 13;
constexpr uint8_t kIndexedColor = 3;
constexpr uint8_t kDeflateMethod = 0, kAdaptiveFiltering = 0, kNoInterlace = 0;
// zlib header: deflate with a 32 KB window (0x78), the best compression
// level (the image data is deflated with it), and the check bits that make
// the pair a multiple of 31.
constexpr std::string_view kZlibHeader = "\x78\xDA";
constexpr size_t kWordSize = 4;  // chunk length, CRC-32 and Adler-32: big-endian words

// Appends the frame of a chunk whose type and data already end `out` at
// `typeAt`: its CRC-32 over type and data. The length went before the type.
void CloseChunk(std::string& out, size_t typeAt) {
  AppendBe32(out, ~Crc32Update(0xFFFFFFFFu, out.data() + typeAt, out.size() - typeAt));
}

void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBe32(out, uint32_t(data.size()));
  const size_t typeAt = out.size();
  out += type;
  out += data;
  CloseChunk(out, typeAt);
}

std::string HeaderData(const TPngPicture& picture) {
  std::string data;
  AppendBe32(data, picture.width);
  AppendBe32(data, picture.height);
  data += char(picture.bitDepth);
  data += char(kIndexedColor);
  data += char(kDeflateMethod);
  data += char(kAdaptiveFiltering);
  data += char(kNoInterlace);
  return data;
}

// Appends the IDAT chunk, compressing the rows straight into `out`. False
// when deflate fails.
bool AppendImageData(std::string& out, std::span<const uint8_t> rows) {
  const uint32_t capacity = DeflateCapacity(uint32_t(rows.size()));
  if (capacity == 0) return false;
  const size_t lengthAt = out.size();
  AppendBe32(out, 0);  // the length, known after compression
  const size_t typeAt = out.size();
  out += "IDAT";
  out += kZlibHeader;
  const size_t deflateAt = out.size();
  out.resize(deflateAt + capacity);
  // Screenshots are mostly flat areas and repeated shapes: the best level
  // halves the file against the fastest one, for a few times the time.
  const int packed =
      DeflateBuffer(rows.data(), out.data() + deflateAt, uint32_t(rows.size()), capacity, DeflateLevel::kSmallest);
  if (packed <= 0) return false;
  out.resize(deflateAt + size_t(packed));
  AppendBe32(out, Adler32Sum(rows.data(), rows.size()));
  StoreBe32(reinterpret_cast<unsigned char*>(out.data()) + lengthAt, uint32_t(out.size() - typeAt - kTypeSize));
  CloseChunk(out, typeAt);
  return true;
}

}  // namespace

NVBytesResult WritePalettePng(const TPngPicture& picture) {
  NVBytesResult result;
  try {
    std::string& out = result.bytes;
    out.reserve(kSignature.size() + 4 * kChunkFrame + kHeaderData + picture.palette.size() + kZlibHeader.size() +
                DeflateCapacity(uint32_t(picture.rows.size())) + kWordSize);
    out += kSignature;
    AppendChunk(out, "IHDR", HeaderData(picture));
    AppendChunk(out, "PLTE",
                std::string_view(reinterpret_cast<const char*>(picture.palette.data()), picture.palette.size()));
    if (!AppendImageData(out, picture.rows)) {
      result.bytes.clear();
      result.status = NVImageStatus::kDeflateFailed;
      return result;
    }
    AppendChunk(out, "IEND", {});
  } catch (const std::bad_alloc&) {
    result.bytes.clear();
    result.status = NVImageStatus::kOutOfMemory;
  }
  return result;
}

}  // namespace quor
