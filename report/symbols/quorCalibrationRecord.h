// The build-layout record of a module (resource "CALIBRATE" of type
// "QUOR", five little-endian 32-bit words): a code anchor, a data anchor and
// the sizes of code, initialised and uninitialised data as the module was
// built. The stack tracer and the symbol lookup take a module's code range
// from its header; setting the header from the record at start-up makes
// them see the built layout even when the file was changed afterwards.
// Bit 31 of the code anchor marks a record that describes another module
// than the one holding the library: its anchors are then the bases
// themselves. For the library's own module an anchor is the distance of a
// fixed function (variable) of the library from the base of code (data).
#pragma once

#include <cstddef>
#include <cstdint>

#include "report/symbols/quorPeImage.h"

namespace quor {

inline constexpr size_t kCalibrationRecordSize = 20;
inline constexpr uint32_t kOtherModuleBit = 0x80000000u;

struct TCalibrationRecord {
  uint32_t CodeAnchor = 0, DataAnchor = 0;
  uint32_t SizeOfCode = 0, SizeOfInitializedData = 0, SizeOfUninitializedData = 0;
};

// False unless the data is exactly 20 bytes.
[[nodiscard]] bool ReadCalibrationRecord(const uint8_t* data, size_t size, TCalibrationRecord& record);
void WriteCalibrationRecord(const TCalibrationRecord& record, uint8_t (&out)[kCalibrationRecordSize]);

// The record of the library's own module, from its linked headers and the
// RVAs of the fixed function and variable.
[[nodiscard]] TCalibrationRecord OwnModuleRecord(const TPeHeaders& headers, uint32_t codeRva, uint32_t dataRva);

// The header fields a record sets.
struct TCalibratedLayout {
  uint32_t BaseOfCode = 0, BaseOfData = 0;
  uint32_t SizeOfCode = 0, SizeOfInitializedData = 0, SizeOfUninitializedData = 0;
};
// For the library's own module (`ownModule`, anchors from the RVAs of the
// fixed function and variable) or another one; false when the record is not
// meant for such a module (bit 31 of the code anchor says which).
[[nodiscard]] bool CalibratedLayout(const TCalibrationRecord& record, bool ownModule, uint32_t codeRva,
                                    uint32_t dataRva, TCalibratedLayout& layout);

}  // namespace quor
