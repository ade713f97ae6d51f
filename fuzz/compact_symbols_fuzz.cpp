// The compact symbol form: the whole form (header, unscrambling, inflation)
// and, from the same bytes, the plain symbol stream in both modes, which
// the scrambled form rarely reaches. Lying counts must not allocate or loop
// beyond the input.
#include "report/symbols/quorCompactSymbols.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  quor::TMapFile map;
  (void)quor::ReadCompactSymbols(bytes, 0x401000, map);
  for (bool minimal : {false, true}) {
    if (quor::ReadSymbolStream(bytes, minimal, 0x401000, map)) {
      // Every entry took at least one byte of the stream.
      if (map.Segments.size() + map.Publics.size() + map.Lines.size() > size) abort();
      // What was read writes back and reads again to the same lists.
      quor::TMapFile again;
      const std::string form = quor::WriteCompactSymbols(map, 0x401000, {minimal, 1, 2});
      if (!quor::ReadCompactSymbols(form, 0x401000, again)) abort();
      if (again.Publics.size() != map.Publics.size() || again.Lines.size() != map.Lines.size()) abort();
    }
  }
  return 0;
}
