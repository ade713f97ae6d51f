// The process-wide symbol cache (Win32): one symbol object per module
// file, reused while the file's last-write date is unchanged, and the
// lookups built on it: the combined lookup of one address for stack lines,
// the two hooks that name procedures and lines wherever the program shows
// an address, and the names for the disassembly text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "report/disasm/quorDisAsm.h"
#include "report/symbols/quorMapFile.h"

namespace quor {

// The symbols of the module that holds `address` (0: the module of this
// library), loaded on first use. An object without symbols when the
// module has none; nullptr when no module holds the address.
[[nodiscard]] std::shared_ptr<const TMapFile> SymbolsForAddress(uint32_t address);

// Frees every cached object (at shutdown; objects still in use live on).
void ClearSymbolCache();

// Everything a single stack line needs about an address.
struct TAddressSymbols {
  std::string ModuleFile;  // full path of the module file
  std::string UnitName;
  std::string FunctionName;
  uint32_t FunctionStart = 0;
  int32_t Line = 0;  // > 0 known; 0 unknown; -1 unit with lines but none here
};
[[nodiscard]] bool LookupAddress(uint32_t address, TAddressSymbols& symbols);

// Procedure name of an address: unit "." public name; a generated name
// (with "%") gets " (" module file name ")" appended. Empty when unknown.
[[nodiscard]] std::string ProcNameForAddress(uint32_t address);

// Line number of an address; `last` is the caller's last answered range,
// which answers without searching while the address stays inside it.
struct TLineRange {
  uint32_t Start = 0, Next = 0;
  int32_t Line = 0;
};
[[nodiscard]] int32_t LineNumberForAddress(uint32_t address, TLineRange& last);

// The hooks the rest of the program calls; set by InstallSymbolHooks when
// the library starts.
using ProcNameHook = std::string (*)(uint32_t address);
using LineNumberHook = int32_t (*)(uint32_t address, TLineRange& last);
extern ProcNameHook procNameHook;
extern LineNumberHook lineNumberHook;
void InstallSymbolHooks();

// Function names and line numbers for the disassembly text.
class TSymbolDisAsmNames : public IDisAsmSymbols {
public:
  bool FunctionName(uint32_t address, uint32_t ownAddress, std::string& name, std::string& module) const override;
  bool LineNumber(uint32_t address, uint32_t& line) const override;
};

}  // namespace quor
