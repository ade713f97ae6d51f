// The exception address correction on a small hand-assembled function.
#include <gtest/gtest.h>

#include <vector>

#include "report/disasm/quorAddressFix.h"

namespace {

constexpr uint32_t kBase = 0x00401000;

TEST(FixedExceptionAddress, MovesFourBytesOnlyOntoAnInstructionStart) {
  std::vector<uint8_t> code = {
      0x55,                          // 00 push ebp
      0x89, 0xE5,                    // 01 mov ebp, esp
      0xB8, 0x44, 0x33, 0x22, 0x11,  // 03 mov eax, $11223344
      0x05, 0x01, 0x00, 0x00, 0x00,  // 08 add eax, 1
      0x5D,                          // 0D pop ebp
      0x90, 0x90, 0x90,              // 0E nop (three times)
      0xC3,                          // 11 ret
  };
  code.resize(0x40, 0xCC);
  const quor::TBufferReader reader(kBase, code);
  const quor::TMemorySnapshot memory = quor::BufferSnapshot(reader);
  const struct {
    uint32_t offset, fixed;
  } cases[] = {
      {0x04, 0x08},  // inside the mov, 4 bytes before the add
      {0x0A, 0x0E},  // inside the add, 4 bytes before a nop
      {0x08, 0x08},  // an instruction start stays
      {0x0D, 0x0D},  // ... also when 4 bytes further is one too
      {0x05, 0x05},  // neither is an instruction start
      {0x12, 0x12},  // after the function's end
      {0x30, 0x30},  // outside the function
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    EXPECT_EQ(quor::FixedExceptionAddress(kBase + c.offset, kBase, memory), kBase + c.fixed);
  }
  // A function that cannot be parsed changes nothing.
  EXPECT_EQ(quor::FixedExceptionAddress(0x00500004, 0x00500000, memory), 0x00500004u);
}

}  // namespace
