// Raw deflate streams of any shape; the first two bytes give the expected length.
#include "report/codec/quorZip.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint32_t expected = uint32_t(data[0]) | uint32_t(data[1]) << 8;
  std::vector<uint8_t> out(expected);
  const int got = quor::InflateBuffer(data + 2, out.data(), uint32_t(size - 2), expected);
  if (got != 0 && got != int(expected)) abort();
  // Deflating the input itself must round trip.
  std::vector<uint8_t> packed(quor::DeflateCapacity(uint32_t(size)));
  const int n = quor::DeflateBuffer(data, packed.data(), uint32_t(size), uint32_t(packed.size()));
  if (n <= 0) abort();
  std::vector<uint8_t> back(size);
  if (quor::InflateBuffer(packed.data(), back.data(), uint32_t(n), uint32_t(size)) != int(size)) abort();
  if (std::vector<uint8_t>(data, data + size) != back) abort();
  return 0;
}
