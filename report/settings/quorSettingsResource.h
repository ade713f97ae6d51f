// Reads a module's settings resource ("TPF0" form of one object with simple
// properties) into its property list:
//   "TPF0", class name "TQuorExcept" and object name "QuorExcept" as length
//   byte and characters, then properties (name as length byte and
//   characters, type byte, value) until a zero length byte.
// Types: 2/3/4 signed 8/16/32-bit integers, 8/9 false/true, 6 text with a
// length byte, 12 text with a 32-bit length, 18 UTF-16LE text with a 32-bit
// length in characters (stored as 8-bit text). Properties are appended in
// order; a repeated name is a second entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "report/settings/quorSettingsProperty.h"

namespace quor {

enum class SettingsReadStatus : uint8_t {
  kComplete,     // read up to the end marker
  kNoHeader,     // the data does not begin with the whole header: nothing read
  kTruncated,    // the data ends inside a property: the properties before it stay
  kInvalidType,  // an unknown type byte: the properties before it stay
  kOutOfMemory,  // the heap refused: the properties before it stay
};

struct SettingsReadResult {
  SettingsReadStatus status;
  uint8_t invalidType;  // the type byte for kInvalidType
};

// Appends the properties of `data` to `record`, then replaces SmtpPassword
// and HttpPassword by their plain text (UnscrambleStoredPasswords).
[[nodiscard]] SettingsReadResult ReadSettingsResource(const uint8_t* data, size_t size, ModuleSettingsRecord& record,
                                                      const SettingsHeap& heap);

// Stored passwords are scrambled with the account and server of the same
// protocol and base64-encoded; this puts the plain passwords in their place.
void UnscrambleStoredPasswords(ModuleSettingsRecord& record, const SettingsHeap& heap);

// "Internal error: Invalid settings resource ($<type>)."
[[nodiscard]] std::string InvalidSettingsResourceText(uint8_t type);

// The reporter's form of numbers inside names and messages: "$" and
// lower-case hexadecimal digits without leading zeros.
[[nodiscard]] std::string DollarHex(uint32_t value);

}  // namespace quor
