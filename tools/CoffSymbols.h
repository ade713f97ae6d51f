// The COFF symbol table that the GNU linker leaves in a PE image: the
// functions with their addresses and the source file (".file" entry) of
// the object that defined them, and the names of the sections (long names
// "/n" resolved through the string table).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/symbols/quorPeImage.h"

namespace sym {

struct TCoffFunction {
  std::string Name;        // as stored (decorated, mangled)
  uint32_t Address = 0;    // absolute (image base included)
  std::string ObjectFile;  // the ".file" name before it, may be empty
};

// Functions defined in code sections, in table order. False when the
// symbol table does not lie inside the file.
[[nodiscard]] bool ReadCoffFunctions(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers,
                                     std::vector<TCoffFunction>& functions);

// The RVA of the symbol stored under `name` (decorated) that a section
// defines; false when the table has none.
[[nodiscard]] bool FindCoffSymbolRva(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers,
                                     std::string_view name, uint32_t& rva);

// The section's real name: "/n" names are looked up in the string table.
[[nodiscard]] std::string SectionName(const std::vector<uint8_t>& file, const quor::TPeHeaders& headers,
                                      const quor::TPeSection& section);

}  // namespace sym
