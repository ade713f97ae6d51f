// The process-wide tables every trace shares: the module cache (one entry
// per module met, with its code and data ranges, exports and debug symbols)
// and the function table (one entry per parsed function, parsed once).
// Both only grow. Concurrent traces take the tables' lock for the whole
// trace, so one trace never sees another's half-entered function.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "report/disasm/quorDisAsm.h"

namespace quor {

// The debug symbols of one module, as the tracer asks for them. The symbol
// store implements it over its symbol objects; tests implement it directly.
class IStackSymbols {
public:
  virtual ~IStackSymbols() = default;
  // The public symbol that contains address: its name and start.
  virtual bool PublicAt(uint32_t address, std::string& name, uint32_t& start) const = 0;
  // The unit (source file) of the code segment holding address; "" when none.
  virtual std::string UnitAt(uint32_t address) const = 0;
  // Line number: > 0 known, 0 unknown, -1 a unit with lines but none here.
  virtual int32_t LineAt(uint32_t address) const = 0;
  // Address of a public by unit and name (the runtime's handler routines).
  virtual bool PublicAddress(std::string_view unit, std::string_view name, uint32_t& address) const { return false; }
  // The minimal-debug-information text; empty for full symbols.
  virtual std::string MinDebugInfo() const { return {}; }
};

struct TExportSymbol {
  uint32_t Address = 0;
  std::string Name;
};

struct TTraceModule {
  uint32_t Handle = 0;                  // load address
  std::string FileName;                 // without folder
  uint32_t CodeBegin = 0, CodeEnd = 0;  // [CodeBegin, CodeEnd)
  uint32_t DataBegin = 0, DataEnd = 0;  // [DataBegin, DataEnd)
  uint32_t EntryPoint = 0;              // 0: none
  bool IsExecutable = false;
  std::vector<TExportSymbol> Exports;            // sorted by address
  std::shared_ptr<const IStackSymbols> Symbols;  // null: no debug symbols

  bool HasSymbols() const { return Symbols != nullptr; }
  bool InCodeOrData(uint32_t a) const { return (a >= CodeBegin && a < CodeEnd) || (a >= DataBegin && a < DataEnd); }
};

// Describes a module met for the first time (the Win32 side reads its
// headers, file name, exports and symbols). False: not a module.
class IModuleDescriber {
public:
  virtual ~IModuleDescriber() = default;
  virtual bool Describe(const TModuleImage& image, const TMemorySnapshot& memory, TTraceModule& module) const = 0;
};

struct TTraceFunction {
  int Module = -1;
  std::string Name;
  TFunctionInfo Info;
  // What one trace found out about the function; cleared when the next
  // trace starts, so that no trace inherits another's verdicts.
  bool Reached = false;
  bool Rejected = false;
};

class TTraceTables {
public:
  // Held by a trace from start to end.
  std::mutex Lock;

  // The module that holds address (its index), entered on first sight;
  // -1 when no module of the snapshot holds it.
  int ModuleFor(uint32_t address, const TMemorySnapshot& memory, const IModuleDescriber* describer);
  const TTraceModule& Module(int index) const { return modules_[size_t(index)]; }
  size_t ModuleCount() const { return modules_.size(); }

  // The function at entry (its index), parsed on first sight. With `reached`
  // the function and, recursively, every function it calls directly get the
  // reached flag; the callees are entered as well. -1 when the table is full.
  int EnterFunction(uint32_t entry, const std::string& name, int module, bool reached, const TMemorySnapshot& memory);
  int FindFunction(uint32_t entry) const;
  // Clears every function's reached and rejected flags (a trace starts).
  void ClearTraceFlags();
  TTraceFunction& Function(int index) { return functions_[size_t(index)]; }
  const TTraceFunction& Function(int index) const { return functions_[size_t(index)]; }
  size_t FunctionCount() const { return functions_.size(); }

  // Caps that keep a huge or cyclic call graph bounded.
  static constexpr size_t kMaxFunctions = 20000;

private:
  void Grow();
  std::vector<TTraceModule> modules_;
  std::map<uint32_t, int> moduleByBase_;
  std::vector<TTraceFunction> functions_;
  std::map<uint32_t, int> functionByEntry_;
};

// The tables of this process.
TTraceTables& ProcessTraceTables();

}  // namespace quor
