// Text map files: any bytes read without fault; what is read stays sorted
// and every lookup answers.
#include "report/symbols/quorMapText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quor::TMapFile map;
  map.CodeEnd = 0x500000;
  (void)quor::ReadMapText(std::string_view(reinterpret_cast<const char*>(data), size), 0x401000, map);
  for (size_t i = 1; i < map.Publics.size(); ++i)
    if (map.Publics[i - 1].Address > map.Publics[i].Address) abort();
  for (uint32_t address : {0x401000u, 0x401234u, 0x4FFFFFu}) {
    (void)map.FindPublic(address);
    (void)map.FindLine(address);
  }
  uint32_t found;
  (void)map.FindPublicAddress("System", "Proc", true, true, found);
  return 0;
}
