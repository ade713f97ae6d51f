// Deflate and inflate of whole memory buffers, the compressed-string
// container, and the CRC-32 and Adler-32 check sums. Thin wrappers over zlib
// that fix how the reporter calls it; none of them throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

// The destination size a caller of DeflateBuffer provides for `sourceLength`
// bytes: sourceLength * 11 / 10 + 12, which raw deflate never exceeds. Gives 0
// when that size does not fit in 32 bits.
[[nodiscard]] uint32_t DeflateCapacity(uint32_t sourceLength);

// How hard deflate works: zlib's fastest level (non-lazy matching) for
// report texts, attachments and archives; its best level (lazy matching over
// long hash chains, several times slower, about half the size on
// screenshots) where the size of the result counts most.
enum class DeflateLevel : uint8_t { kFastest, kSmallest };

// Compresses `source` into a raw deflate stream (no zlib or gzip framing)
// with a 32 KB window, zlib's default memory level and the given level.
// Returns the number of bytes written (at least 2: an empty input gives one
// empty final block), or a negative zlib error code, for instance Z_BUF_ERROR
// (-5) when the destination is too small.
[[nodiscard]] int DeflateBuffer(const void* source, void* destination, uint32_t sourceLength,
                                uint32_t destinationCapacity, DeflateLevel level = DeflateLevel::kFastest);

// DeflateBuffer over a whole string. Empty only on failure (a successful
// stream has at least 2 bytes).
[[nodiscard]] std::string DeflateString(std::string_view data);

// Inflates the raw deflate stream `source`. Returns `expectedLength` when the
// stream ended, produced exactly that many bytes and used the whole source;
// else 0 (a truncated or corrupt stream, trailing bytes, a length mismatch).
[[nodiscard]] int InflateBuffer(const void* source, void* destination, uint32_t sourceLength, uint32_t expectedLength);

// Reads a compressed-string container, all words little-endian:
//   offset 0: length of the uncompressed data; 4: not read; 8: CRC-32 of the
//   uncompressed data; 12: raw deflate data.
// Returns the uncompressed bytes, or empty when the container is shorter than
// 13 bytes, the data does not inflate to the stated length or the CRC differs.
[[nodiscard]] std::string InflateContainer(std::string_view container);

// Builds the container that InflateContainer reads (offset 4 holds the
// length of the deflate data). Empty only when compression failed.
[[nodiscard]] std::string DeflateContainer(std::string_view data);

// Feeds `length` bytes into a running CRC-32 (reflected polynomial 0xEDB88320)
// without pre- and post-inversion: start with 0xFFFFFFFF and invert the end
// result to get the CRC-32 of zip and PNG.
[[nodiscard]] uint32_t Crc32Update(uint32_t crc, const void* buffer, size_t length);

// The Adler-32 check sum of RFC 1950 (starts at 1).
[[nodiscard]] uint32_t Adler32Sum(const void* buffer, size_t length);

}  // namespace quor
