// The small i686 programs that the build links from
// tests/tools/data/symbols_fixture.c, one per DWARF version (none when the
// cross compiler is missing), and their sections.
#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "report/symbols/quorPeImage.h"
#include "tools/CoffSymbols.h"

namespace fixture {

// The image linked with -gdwarf-<version>; empty when it was not built.
inline std::vector<uint8_t> Image(int version) {
  const std::string dir = SYMBOLS_FIXTURE_DIR;
  if (dir.empty()) return {};
  std::ifstream in(dir + "/symbols_fixture_dwarf" + std::to_string(version) + ".exe", std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The raw bytes of the section with that (long) name; empty when missing.
inline std::string_view Section(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers,
                                const std::string& name) {
  for (const quor::TPeSection& s : headers.Sections) {
    if (sym::SectionName(file, headers, s) != name || s.RawOffset >= file.size()) continue;
    const size_t size =
        std::min<size_t>(std::min(s.RawSize, s.VirtualSize ? s.VirtualSize : s.RawSize), file.size() - s.RawOffset);
    return std::string_view(reinterpret_cast<const char*>(file.data() + s.RawOffset), size);
  }
  return {};
}

}  // namespace fixture
