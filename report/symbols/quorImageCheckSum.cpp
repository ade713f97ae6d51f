#include "report/symbols/quorImageCheckSum.h"

#include "report/text/quorLittleEndian.h"

namespace quor {

size_t ImageCheckSumOffset(const uint8_t* file, size_t size) {
  if (size < 0x40 || file[0] != 'M' || file[1] != 'Z') return 0;
  const uint32_t pe = LoadLe32(file + 0x3C);
  // "PE\0\0", the 20-byte file header, then the check sum at offset 64 of
  // the optional header.
  const uint64_t field = uint64_t(pe) + 4 + 20 + 64;
  if (field + 4 > size || file[pe] != 'P' || file[pe + 1] != 'E' || file[pe + 2] || file[pe + 3]) return 0;
  return static_cast<size_t>(field);
}

uint32_t ImageCheckSum(const uint8_t* file, size_t size, size_t checkSumOffset) {
  uint32_t sum = 0;
  size_t i = 0;
  for (; i + 1 < size; i += 2) {
    if (i >= checkSumOffset && i < checkSumOffset + 4) continue;
    sum += uint32_t(file[i]) | uint32_t(file[i + 1]) << 8;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  if (i < size) {
    sum += file[i];
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return (sum & 0xFFFF) + static_cast<uint32_t>(size);
}

}  // namespace quor
