// The compact symbol form that the build step stores in a module's
// "EXCEPT" resource of type "QUOR" or in a ".quor" file beside it.
//
// Header, little-endian words:
//   0  14 bytes  signature kCompactSignature
//   14 payload length
//   18 format version, 2 or 3
//   22 (version 3) first word identifying the matching full symbol file
//   26 (version 3) second identifying word
//   30 (version 3) flags: bit 0 = the module carries minimal symbols only
// The payload follows the header (at 22 or 34): the symbol stream packed
// into a compressed-string container, then scrambled as a whole with
// ScrambleSymbolData (keyed by the payload length).
//
// Symbol stream (packed forms of TMiniStream), offsets relative to the
// module's code start:
//   segment count; per segment: start, length, then the unit name as a
//     packed string (minimal form: a has-lines byte instead; the name is
//     "segment%" and the index);
//   public count; per public: the name as a packed string (none in the
//     minimal form: "public%" and the index), then the address: 32-bit for
//     the first, a packed difference to the previous one after that;
//   line count; the first line number and address as 32-bit values, every
//     further pair as packed differences;
//   the entry point as 32 bits when exactly 4 bytes remain.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/symbols/quorMapFile.h"

namespace quor {

inline constexpr std::string_view kCompactSignature = "QuorSymbolData";
inline constexpr uint32_t kCompactMinimalFlag = 1;

struct TCompactHeader {
  uint32_t PayloadLength = 0;
  uint32_t Version = 0;
  uint32_t Id1 = 0, Id2 = 0;
  uint32_t Flags = 0;
  uint32_t HeaderSize = 0;

  bool Minimal() const { return (Flags & kCompactMinimalFlag) != 0; }
};

// Checks the signature, the version and that the payload lies inside data.
[[nodiscard]] bool ReadCompactHeader(std::string_view data, TCompactHeader& header);

// Reads a whole compact form (header, unscrambling, inflation, stream) into
// map with absolute addresses. False when any step fails; map is then
// marked invalid.
[[nodiscard]] bool ReadCompactSymbols(std::string_view data, uint32_t codeStart, TMapFile& map);

// Reads the plain symbol stream; valid when all three lists were read.
[[nodiscard]] bool ReadSymbolStream(std::string_view stream, bool minimal, uint32_t codeStart, TMapFile& map);

struct TCompactOptions {
  bool Minimal = false;
  uint32_t Id1 = 0, Id2 = 0;
};

// The version 3 compact form of map's code segments, publics and lines.
// Empty only when compression failed.
[[nodiscard]] std::string WriteCompactSymbols(const TMapFile& map, uint32_t codeStart,
                                              const TCompactOptions& options = {});

// The MinDebugInfo text naming a full symbol file: "$" and 8 lower-case
// hexadecimal digits for the file length and the two identifying words,
// joined by ", " (31 characters).
[[nodiscard]] std::string MinDebugInfoText(uint32_t fileLength, uint32_t id1, uint32_t id2);

}  // namespace quor
