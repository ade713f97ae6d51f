// Compressed-string containers from symbol resources and files.
#include "report/codec/quorZip.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view container(reinterpret_cast<const char*>(data), size);
  const std::string plain = quor::InflateContainer(container);
  // Whatever comes out has exactly the stated length and CRC.
  if (!plain.empty()) {
    const uint32_t length =
        uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
    if (plain.size() != length) abort();
    if (quor::InflateContainer(quor::DeflateContainer(plain)) != plain) abort();
  }
  return 0;
}
