// quorcalibrate FILE: writes the build-layout record of a linked image into
// its "CALIBRATE" resource of type "QUOR" (linked in as a 20-byte
// placeholder and rewritten in place, so nothing moves). The anchors are the
// distances of the library's fixed function and variable from the bases of
// code and data. Runs after the link; an image check sum the linker wrote is
// brought up to date (a later check-sum step still writes it last).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "report/symbols/quorCalibrationRecord.h"
#include "report/symbols/quorImageCheckSum.h"
#include "report/text/quorLittleEndian.h"
#include "tools/CoffSymbols.h"
#include "tools/PeResources.h"

namespace {

int Fail(const char* file, const char* what) {
  std::fprintf(stderr, "quorcalibrate: %s: %s\n", file, what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorcalibrate FILE\n");
    return 2;
  }
  const char* path = argv[1];
  std::ifstream in(path, std::ios::binary);
  if (!in) return Fail(path, "cannot be read");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  quor::TPeHeaders headers;
  if (!quor::ReadPeHeaders(bytes.data(), bytes.size(), headers)) return Fail(path, "not a 32-bit PE image");
  uint32_t codeRva = 0, dataRva = 0;
  if (!sym::FindCoffSymbolRva(bytes, headers, "_quorCalibrationCode", codeRva) ||
      !sym::FindCoffSymbolRva(bytes, headers, "_quorCalibrationData", dataRva))
    return Fail(path, "has no symbols _quorCalibrationCode and _quorCalibrationData");
  uint32_t offset = 0, size = 0;
  if (!sym::FindPeResourceData(bytes, headers, "QUOR", "CALIBRATE", offset, size))
    return Fail(path, "has no resource CALIBRATE of type QUOR");
  if (size != quor::kCalibrationRecordSize) return Fail(path, "its CALIBRATE resource is not 20 bytes long");
  uint8_t record[quor::kCalibrationRecordSize];
  quor::WriteCalibrationRecord(quor::OwnModuleRecord(headers, codeRva, dataRva), record);
  std::memcpy(bytes.data() + offset, record, sizeof record);
  // The start-up integrity check verifies a check sum that is not 0.
  if (const size_t field = quor::ImageCheckSumOffset(bytes.data(), bytes.size());
      field && quor::LoadLe32(bytes.data() + field) != 0)
    quor::StoreLe32(bytes.data() + field, quor::ImageCheckSum(bytes.data(), bytes.size(), field));
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) return Fail(path, "cannot be written");
  return 0;
}
