#include "report/symbols/quorCalibrationRecord.h"

#include "report/text/quorLittleEndian.h"

namespace quor {

bool ReadCalibrationRecord(const uint8_t* data, size_t size, TCalibrationRecord& record) {
  if (!data || size != kCalibrationRecordSize) return false;
  record.CodeAnchor = LoadLe32(data);
  record.DataAnchor = LoadLe32(data + 4);
  record.SizeOfCode = LoadLe32(data + 8);
  record.SizeOfInitializedData = LoadLe32(data + 12);
  record.SizeOfUninitializedData = LoadLe32(data + 16);
  return true;
}

void WriteCalibrationRecord(const TCalibrationRecord& record, uint8_t (&out)[kCalibrationRecordSize]) {
  StoreLe32(out, record.CodeAnchor);
  StoreLe32(out + 4, record.DataAnchor);
  StoreLe32(out + 8, record.SizeOfCode);
  StoreLe32(out + 12, record.SizeOfInitializedData);
  StoreLe32(out + 16, record.SizeOfUninitializedData);
}

TCalibrationRecord OwnModuleRecord(const TPeHeaders& headers, uint32_t codeRva, uint32_t dataRva) {
  TCalibrationRecord record;
  record.CodeAnchor = codeRva - headers.BaseOfCode;
  record.DataAnchor = dataRva - headers.BaseOfData;
  record.SizeOfCode = headers.SizeOfCode;
  record.SizeOfInitializedData = headers.SizeOfInitializedData;
  record.SizeOfUninitializedData = headers.SizeOfUninitializedData;
  return record;
}

bool CalibratedLayout(const TCalibrationRecord& record, bool ownModule, uint32_t codeRva, uint32_t dataRva,
                      TCalibratedLayout& layout) {
  const bool other = (record.CodeAnchor & kOtherModuleBit) != 0;
  if (other == ownModule) return false;
  if (ownModule) {
    layout.BaseOfCode = codeRva - record.CodeAnchor;
    layout.BaseOfData = dataRva - record.DataAnchor;
  } else {
    layout.BaseOfCode = record.CodeAnchor & ~kOtherModuleBit;
    layout.BaseOfData = record.DataAnchor & ~kOtherModuleBit;
  }
  layout.SizeOfCode = record.SizeOfCode;
  layout.SizeOfInitializedData = record.SizeOfInitializedData;
  layout.SizeOfUninitializedData = record.SizeOfUninitializedData;
  return true;
}

}  // namespace quor
