// The line-number programs of a .debug_line section (DWARF versions 2 to
// 5, 32-bit format) run into rows of address, line and source file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sym {

struct TLineRow {
  uint32_t Address = 0;
  uint32_t Line = 0;
  uint32_t File = 0;  // index into TLineTable::Files
  bool EndSequence = false;
};

struct TLineTable {
  std::vector<std::string> Files;  // file names as the programs give them
  std::vector<TLineRow> Rows;      // in program order
};

// Sections by content; .debug_line_str and .debug_str serve the version 5
// string forms. A unit whose header or program is malformed ends the
// reading (the rows before it stay); returns false then.
[[nodiscard]] bool ReadDwarfLines(std::string_view debugLine, std::string_view debugLineStr, std::string_view debugStr,
                                  TLineTable& table);

}  // namespace sym
