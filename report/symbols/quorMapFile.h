// The debug symbols of one module: segments (units), public symbols, line
// numbers and the entry point, with the lookups by address and by name.
// Platform-free: every address is an absolute 32-bit address in the
// process; the loaders (text map, compact form) convert the module-relative
// offsets of their sources with the module's code start.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

struct TMfSegment {
  uint8_t Present = 1;
  uint8_t Code = 1;  // 1 code, 0 data
  uint32_t Start = 0;
  uint32_t Length = 0;
  std::string UnitName;
  uint8_t HasLines = 0;

  uint32_t End() const { return Start + Length; }
};

struct TMfPublic {
  uint8_t Present = 1;
  uint8_t Code = 1;
  std::string Name;
  uint32_t Address = 0;
};

struct TMfLine {
  uint32_t Line = 0;
  uint32_t Address = 0;
};

// Answer of a line lookup: the line number (> 0), 0 when nothing is known,
// or -1 when the unit has line numbers but none covers the address; Next is
// where the following line starts (the segment end for the unit's last one).
struct TLineAnswer {
  int32_t Line = 0;
  uint32_t Start = 0;
  uint32_t Next = 0;
};

class TMapFile {
public:
  bool Valid = false;
  uint32_t Module = 0;  // module handle (its load address)
  std::string FileName;
  uint32_t CodeStart = 0, CodeEnd = 0;  // [CodeStart, CodeEnd)
  uint32_t DataStart = 0, DataEnd = 0;
  uint32_t EntryPoint = 0;
  std::string MinDebugInfo;  // empty for full symbols

  std::vector<TMfSegment> Segments;  // sorted by code flag, then start
  std::vector<TMfPublic> Publics;    // sorted by address
  std::vector<TMfLine> Lines;        // sorted by address

  // Sorts the three lists; loaders call it once after filling them.
  void Sort();

  // The segment of the given kind that contains address, or nullptr.
  [[nodiscard]] const TMfSegment* FindSegment(uint32_t address, bool code = true) const;
  // The public with the greatest address not above `address`, when address
  // lies below the next public (below the code end for the last one).
  [[nodiscard]] const TMfPublic* FindPublic(uint32_t address) const;
  // The line entry with the greatest address not above `address` that lies
  // inside the code segment containing address.
  [[nodiscard]] TLineAnswer FindLine(uint32_t address) const;
  // Address of the public `name` inside a segment of unit `unit` (unit
  // names compare without regard to case, public names as asked). A unit
  // without "." that finds nothing is retried with ".cpp", ".h", ".c".
  [[nodiscard]] bool FindPublicAddress(std::string_view unit, std::string_view name, bool code, bool ignoreCase,
                                       uint32_t& address) const;

private:
  [[nodiscard]] bool FindPublicInUnit(std::string_view unit, std::string_view name, bool code, bool ignoreCase,
                                      uint32_t& address) const;
};

[[nodiscard]] bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace quor
