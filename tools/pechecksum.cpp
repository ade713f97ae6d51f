// pechecksum FILE: writes the image check sum into a PE file's header, so
// that the program's start-up integrity check has a real sum to verify.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "report/symbols/quorImageCheckSum.h"
#include "report/text/quorLittleEndian.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pechecksum FILE\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "pechecksum: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t field = quor::ImageCheckSumOffset(bytes.data(), bytes.size());
  if (field == 0) {
    std::fprintf(stderr, "pechecksum: %s is not a PE image\n", argv[1]);
    return 1;
  }
  quor::StoreLe32(bytes.data() + field, quor::ImageCheckSum(bytes.data(), bytes.size(), field));
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "pechecksum: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
