#include "report/symbols/quorImageCheckSum.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ImageCheckSum, StandardSumOfAMinimalImage) {
  std::vector<uint8_t> file(0x101, 0);
  file[0] = 'M';
  file[1] = 'Z';
  file[0x3C] = 0x40;
  file[0x40] = 'P';
  file[0x41] = 'E';
  const size_t field = quor::ImageCheckSumOffset(file.data(), file.size());
  ASSERT_EQ(field, 0x40u + 4 + 20 + 64);
  file[field] = 0xAA;  // the stored sum is not summed
  file[0x80] = 0xFF;
  file[0x81] = 0xFF;
  file[0x82] = 0x02;
  file[0x100] = 0x07;  // odd last byte
  // 'M' 'Z' = 0x5A4D, 0x40, 'P' 'E' = 0x4550, 0xFFFF, 0x0002, 0x07: folded.
  uint32_t sum = 0x5A4D + 0x40 + 0x4550 + 0xFFFF + 0x0002 + 0x07;
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  EXPECT_EQ(quor::ImageCheckSum(file.data(), file.size(), field), sum + 0x101);
  EXPECT_EQ(quor::ImageCheckSumOffset(file.data(), 0x30), 0u);
}

}  // namespace
