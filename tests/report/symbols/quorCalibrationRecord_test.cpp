// The build-layout record: its 20-byte form, the record the build writes for
// the library's own module, and the header fields it gives back.
#include <gtest/gtest.h>

#include <vector>

#include "report/symbols/quorCalibrationRecord.h"

namespace {

TEST(CalibrationRecord, OnlyExactlyTwentyBytesAreARecord) {
  const quor::TCalibrationRecord written{0x2B0D8, 0x33E0, 0x136200, 0xBCA00, 0};
  uint8_t bytes[quor::kCalibrationRecordSize];
  quor::WriteCalibrationRecord(written, bytes);
  EXPECT_EQ(bytes[0], 0xD8);
  EXPECT_EQ(bytes[2], 0x02);
  EXPECT_EQ(bytes[10], 0x13);
  quor::TCalibrationRecord read;
  ASSERT_TRUE(quor::ReadCalibrationRecord(bytes, sizeof bytes, read));
  EXPECT_EQ(read.CodeAnchor, 0x2B0D8u);
  EXPECT_EQ(read.DataAnchor, 0x33E0u);
  EXPECT_EQ(read.SizeOfCode, 0x136200u);
  EXPECT_EQ(read.SizeOfInitializedData, 0xBCA00u);
  EXPECT_EQ(read.SizeOfUninitializedData, 0u);
  const std::vector<uint8_t> longer(21, 0);
  for (size_t size : {size_t(0), size_t(19), size_t(21)})
    EXPECT_FALSE(quor::ReadCalibrationRecord(longer.data(), size, read)) << size;
  EXPECT_FALSE(quor::ReadCalibrationRecord(nullptr, 20, read));
}

// The library's record, applied to the module it was written from, gives
// back the built header: the anchors are distances from the bases.
TEST(CalibrationRecord, OwnModuleRecordReproducesTheBuiltLayout) {
  quor::TPeHeaders built;
  built.BaseOfCode = 0x1000, built.SizeOfCode = 0x136200;
  built.BaseOfData = 0x138000, built.SizeOfInitializedData = 0xBCA00, built.SizeOfUninitializedData = 0x200;
  const uint32_t codeRva = 0x2C0D8, dataRva = 0x13B3E0;
  const quor::TCalibrationRecord record = quor::OwnModuleRecord(built, codeRva, dataRva);
  EXPECT_EQ(record.CodeAnchor, 0x2B0D8u);
  EXPECT_EQ(record.DataAnchor, 0x33E0u);
  quor::TCalibratedLayout layout;
  ASSERT_TRUE(quor::CalibratedLayout(record, true, codeRva, dataRva, layout));
  EXPECT_EQ(layout.BaseOfCode, built.BaseOfCode);
  EXPECT_EQ(layout.BaseOfData, built.BaseOfData);
  EXPECT_EQ(layout.SizeOfCode, built.SizeOfCode);
  EXPECT_EQ(layout.SizeOfInitializedData, built.SizeOfInitializedData);
  EXPECT_EQ(layout.SizeOfUninitializedData, built.SizeOfUninitializedData);
}

// Bit 31 of the code anchor says whether the record is another module's;
// such a record carries the bases themselves.
TEST(CalibrationRecord, OtherModuleBitDecidesWhoseRecordItIs) {
  const struct {
    const char* what;
    uint32_t codeAnchor;
    bool ownModule, applies;
    uint32_t baseOfCode, baseOfData;
  } cases[] = {
      {"own record in the library's module", 0x100, true, true, 0x2000 - 0x100, 0x9000 - 0x40},
      {"other module's record in the library's module", 0x80001000, true, false, 0, 0},
      {"other module's record in another module", 0x80001000, false, true, 0x1000, 0x40},
      {"own record in another module", 0x100, false, false, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const quor::TCalibrationRecord record{c.codeAnchor, 0x80000040, 0x300, 0x400, 0x500};
    quor::TCalibrationRecord own = record;
    own.DataAnchor = 0x40;
    quor::TCalibratedLayout layout;
    ASSERT_EQ(quor::CalibratedLayout(c.ownModule ? own : record, c.ownModule, 0x2000, 0x9000, layout), c.applies);
    if (!c.applies) continue;
    EXPECT_EQ(layout.BaseOfCode, c.baseOfCode);
    EXPECT_EQ(layout.BaseOfData, c.baseOfData);
    EXPECT_EQ(layout.SizeOfUninitializedData, 0x500u);
  }
}

}  // namespace
