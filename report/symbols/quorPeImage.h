// The headers of a 32-bit PE image (in a file or as mapped in memory): the
// optional-header fields the reporter and the symbol writer use, the data
// directories and the section table, and the code and data ranges of a
// module.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quor {

struct TPeSection {
  std::string Name;  // the 8-byte name (a "/n" long name stays as it is)
  uint32_t VirtualAddress = 0, VirtualSize = 0;
  uint32_t RawOffset = 0, RawSize = 0;
  uint32_t Characteristics = 0;

  static constexpr uint32_t kCode = 0x20;
  bool IsCode() const { return (Characteristics & kCode) != 0; }
};

struct TPeHeaders {
  uint32_t NtOffset = 0;  // offset of "PE\0\0"
  uint32_t SymbolTable = 0, SymbolCount = 0;
  uint32_t EntryPoint = 0;  // RVA
  uint32_t BaseOfCode = 0, SizeOfCode = 0;
  uint32_t BaseOfData = 0, SizeOfInitializedData = 0, SizeOfUninitializedData = 0;
  uint32_t ImageBase = 0, SizeOfImage = 0;
  uint32_t ResourceRva = 0, ResourceSize = 0;
  std::vector<TPeSection> Sections;
};

// Reads the headers from the first `size` bytes; false unless they hold a
// whole PE32 header and section table.
[[nodiscard]] bool ReadPeHeaders(const uint8_t* data, size_t size, TPeHeaders& headers);

// The code range: the first section when it is code, extended to the end
// of the second when that is code too; otherwise base and size of code.
// The data range: base of data plus initialised and uninitialised sizes.
// Both as RVAs, [begin, end).
struct TModuleRanges {
  uint32_t CodeBegin = 0, CodeEnd = 0;
  uint32_t DataBegin = 0, DataEnd = 0;
};
[[nodiscard]] TModuleRanges ModuleRanges(const TPeHeaders& headers);

}  // namespace quor
