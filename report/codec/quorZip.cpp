#include "report/codec/quorZip.h"

#include "report/text/quorLittleEndian.h"

#define ZLIB_CONST
#include <zlib.h>

#include <climits>
#include <exception>

namespace quor {

namespace {

// Raw deflate (negative window bits: no zlib header or trailer), 32 KB window.
constexpr int kRawWindowBits = -15;
// zlib's default memory level: a 15-bit hash and a 16 K-entry literal buffer.
constexpr int kMemLevel = 8;
// Deflate codes at least 2 bits per 258 output bytes, so no stream inflates
// to more than 1032 times its own size; a stated length beyond that is a lie.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr size_t kContainerHeader = 12;

}  // namespace

uint32_t DeflateCapacity(uint32_t sourceLength) {
  const uint64_t capacity = uint64_t(sourceLength) * 11 / 10 + 12;
  return capacity > UINT32_MAX ? 0 : uint32_t(capacity);
}

int DeflateBuffer(const void* source, void* destination, uint32_t sourceLength, uint32_t destinationCapacity,
                  DeflateLevel level) {
  if (!source && sourceLength) return Z_STREAM_ERROR;
  if (destinationCapacity > INT_MAX) destinationCapacity = INT_MAX;  // the result is an int
  unsigned char unused = 0;
  z_stream stream{};
  int rc = deflateInit2(&stream, level == DeflateLevel::kSmallest ? Z_BEST_COMPRESSION : Z_BEST_SPEED, Z_DEFLATED,
                        kRawWindowBits, kMemLevel, Z_DEFAULT_STRATEGY);
  if (rc != Z_OK) return rc < 0 ? rc : Z_STREAM_ERROR;
  // zlib rejects null buffer pointers even for zero lengths.
  stream.next_in = source ? static_cast<const Bytef*>(source) : &unused;
  stream.avail_in = sourceLength;
  stream.next_out = destination ? static_cast<Bytef*>(destination) : &unused;
  stream.avail_out = destination ? destinationCapacity : 0;
  rc = deflate(&stream, Z_FINISH);
  const uLong written = stream.total_out;
  deflateEnd(&stream);
  if (rc == Z_STREAM_END) return int(written);
  return rc < 0 ? rc : Z_BUF_ERROR;  // Z_OK: the destination filled up before the end
}

int InflateBuffer(const void* source, void* destination, uint32_t sourceLength, uint32_t expectedLength) {
  if (expectedLength > INT_MAX || (!source && sourceLength) || (!destination && expectedLength)) return 0;
  unsigned char unused = 0;
  z_stream stream{};
  if (inflateInit2(&stream, kRawWindowBits) != Z_OK) return 0;
  stream.next_in = source ? static_cast<const Bytef*>(source) : &unused;
  stream.avail_in = sourceLength;
  stream.next_out = destination ? static_cast<Bytef*>(destination) : &unused;
  stream.avail_out = expectedLength;
  const int rc = inflate(&stream, Z_FINISH);
  const bool exact = rc == Z_STREAM_END && stream.avail_out == 0 && stream.avail_in == 0;
  inflateEnd(&stream);
  return exact ? int(expectedLength) : 0;
}

std::string InflateContainer(std::string_view container) {
  if (container.size() <= kContainerHeader) return {};
  const auto* header = reinterpret_cast<const unsigned char*>(container.data());
  const uint32_t length = LoadLe32(header);
  const uint32_t crc = LoadLe32(header + 8);
  const std::string_view packed = container.substr(kContainerHeader);
  if (packed.size() > UINT32_MAX || length > packed.size() * kMaxInflateRatio) return {};
  try {
    std::string data(length, '\0');
    if (InflateBuffer(packed.data(), data.data(), uint32_t(packed.size()), length) != int(length)) return {};
    if (~Crc32Update(0xFFFFFFFFu, data.data(), data.size()) != crc) return {};
    return data;
  } catch (const std::exception&) {  // no memory for the stated length
    return {};
  }
}

std::string DeflateString(std::string_view data) {
  if (data.size() > UINT32_MAX) return {};
  const uint32_t capacity = DeflateCapacity(uint32_t(data.size()));
  if (capacity == 0) return {};
  try {
    std::string packed(capacity, '\0');
    const int packedSize = DeflateBuffer(data.data(), packed.data(), uint32_t(data.size()), capacity);
    packed.resize(packedSize > 0 ? size_t(packedSize) : 0);
    return packed;
  } catch (const std::exception&) {  // no memory for the destination
    return {};
  }
}

std::string DeflateContainer(std::string_view data) {
  const std::string packed = DeflateString(data);
  if (packed.empty()) return {};
  try {
    std::string container;
    container.reserve(kContainerHeader + packed.size());
    AppendLe32(container, uint32_t(data.size()));
    AppendLe32(container, uint32_t(packed.size()));
    AppendLe32(container, ~Crc32Update(0xFFFFFFFFu, data.data(), data.size()));
    return container + packed;
  } catch (const std::exception&) {
    return {};
  }
}

uint32_t Crc32Update(uint32_t crc, const void* buffer, size_t length) {
  // zlib's crc32 inverts before and after; undo both to keep the running value raw.
  if (!buffer || length == 0) return crc;
  return ~uint32_t(crc32_z(~crc & 0xFFFFFFFFu, static_cast<const Bytef*>(buffer), length));
}

uint32_t Adler32Sum(const void* buffer, size_t length) {
  const uLong start = adler32_z(0, nullptr, 0);
  if (!buffer || length == 0) return uint32_t(start);
  return uint32_t(adler32_z(start, static_cast<const Bytef*>(buffer), length));
}

}  // namespace quor
