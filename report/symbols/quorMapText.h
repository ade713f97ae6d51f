// The linker's text map file: reading it into a TMapFile, and writing a
// TMapFile in the same form for people (and for the reader).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/symbols/quorMapFile.h"

namespace quor {

// Reads the segments, publics, line numbers and entry point of a map text;
// its offsets are relative to `codeStart`. Malformed lines are skipped.
// Returns true when the text held at least one segment or public (then the
// map is marked valid and its lists are sorted).
[[nodiscard]] bool ReadMapText(std::string_view text, uint32_t codeStart, TMapFile& map);

// Writes the code segments, publics, lines and entry point of `map` as map
// text with offsets relative to `codeStart` (all code in segment 1, the
// data segment number 2). Unit and public names without blanks read back
// whole; a public name is cut to its last blank-separated word on reading.
[[nodiscard]] std::string WriteMapText(const TMapFile& map, uint32_t codeStart);

}  // namespace quor
