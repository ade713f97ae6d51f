// The reporter's own decoder of 32-bit x86 code, its function
// parser and the disassembly text. Platform-free: addresses are uint32_t and
// every byte of code is read through a guarded read over an address-space
// snapshot (TMemorySnapshot), so a read of unmapped memory gives false and
// never faults. The Windows side fills the snapshot from VirtualQuery and
// copies through ReadProcessMemory; native tests use a buffer at a base.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/disasm/quorX86Registers.h"
#include "report/text/quorTextFormat.h"  // Hex8 for the addresses of the text

namespace quor {

// ---------------------------------------------------------------------------
// Guarded reading

// The platform's copy: ReadProcessMemory on the own process on Windows, a
// buffer natively. Returns false instead of faulting.
class IMemoryReader {
public:
  virtual ~IMemoryReader() = default;
  [[nodiscard]] virtual bool ReadRaw(uint32_t address, void* out, uint32_t size) const = 0;
};

// One range of the address space as the platform's memory query sees it.
struct TMemoryRange {
  uint32_t Begin = 0;
  uint32_t Size = 0;
  bool Committed = false;  // committed memory (readable or not)
  bool Readable = false;   // committed with a readable protection
};

// One loaded module image: its whole image, its code range and its data
// range (both may be empty). The parser uses the code range
// and the text uses the image to decide whether an operand may point to text.
struct TModuleImage {
  uint32_t Base = 0;
  uint32_t Size = 0;
  uint32_t CodeBegin = 0, CodeEnd = 0;  // [CodeBegin, CodeEnd)
  uint32_t DataBegin = 0, DataEnd = 0;  // [DataBegin, DataEnd)
};

// A snapshot of the address space: sorted ranges plus the reader that copies.
class TMemorySnapshot {
public:
  TMemorySnapshot() = default;
  explicit TMemorySnapshot(const IMemoryReader* reader) : reader_(reader) {}

  void SetReader(const IMemoryReader* reader) { reader_ = reader; }
  // Ranges may be added in any order; they are kept sorted by Begin.
  void AddRange(const TMemoryRange& range);
  void AddModule(const TModuleImage& module) { modules_.push_back(module); }

  // Binary search: the range that holds address, or nullptr.
  [[nodiscard]] const TMemoryRange* Find(uint32_t address) const;
  [[nodiscard]] bool IsCommitted(uint32_t address) const;
  [[nodiscard]] bool IsReadable(uint32_t address, uint32_t size = 1) const;
  // Guarded read: every byte must lie in readable ranges, then one copy.
  [[nodiscard]] bool Read(uint32_t address, void* out, uint32_t size) const;
  [[nodiscard]] bool ReadDword(uint32_t address, uint32_t& value) const;
  [[nodiscard]] const TModuleImage* ModuleOf(uint32_t address) const;
  const std::vector<TModuleImage>& Modules() const { return modules_; }

private:
  const IMemoryReader* reader_ = nullptr;
  std::vector<TMemoryRange> ranges_;
  std::vector<TModuleImage> modules_;
};

// A byte buffer mapped at a base address: the native stand-in for process
// memory (tests, the disasm tool, the fuzz target).
class TBufferReader : public IMemoryReader {
public:
  TBufferReader(uint32_t base, std::vector<uint8_t> bytes) : base_(base), bytes_(std::move(bytes)) {}
  [[nodiscard]] bool ReadRaw(uint32_t address, void* out, uint32_t size) const override;
  uint32_t Base() const { return base_; }
  uint32_t Size() const { return static_cast<uint32_t>(bytes_.size()); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
  uint32_t base_;
  std::vector<uint8_t> bytes_;
};

// A snapshot of one readable range over a buffer reader, and that range as a
// module image whose code range is the whole buffer.
TMemorySnapshot BufferSnapshot(const TBufferReader& reader, bool asModule = true);

// ---------------------------------------------------------------------------
// Decoding one instruction

// Known values of the eight general registers, indexed by TX86Reg; Known
// has one bit per register.
struct TRegState {
  uint32_t Value[kGeneralRegCount] = {};
  uint8_t Known = 0;
  bool IsKnown(int r) const { return (Known >> r) & 1; }
  void Set(int r, uint32_t v) {
    Value[r] = v;
    Known |= uint8_t(1u << r);
  }
  void Forget(int r) { Known &= uint8_t(~(1u << r)); }
  void Clear() { Known = 0; }
};

struct InstructionInfo {
  uint8_t Valid = 0;
  uint16_t Opcode = 0;  // opcode byte, or 0x0F00 + second byte
  uint8_t ModRm = 0;
  uint8_t IsCall = 0, IsJump = 0, HasRelTarget = 0;
  uint32_t Target = 0;      // destination of a call or jump (0: unknown)
  uint32_t PTarget = 0;     // address of the relative operand or of the cell holding the target
  uint32_t PPTarget = 0;    // address of the memory cell of an indirect jump/call through memory
  uint32_t TargetSize = 0;  // operand size of the relative or indirect target
  uint8_t Enlargeable = 0;  // relative jump that is not loop/jecxz
  uint32_t This = 0;        // address of the instruction
  uint32_t Next = 0;        // address of the following instruction

  uint32_t Length() const { return Next - This; }
};

// The prefix that selects the variant of an SSE form: the last repeat
// prefix, else 0x66.
enum : uint8_t { kPrefixNone = 0, kPrefix66 = 1, kPrefixF2 = 2, kPrefixF3 = 3 };

// The complete decoding, for the text and the register state. Produced by
// DecodeInstruction; InstructionInfo is its summary.
struct TDecoded {
  InstructionInfo Info;
  // prefixes
  uint8_t OpSize16 = 0, AddrSize16 = 0, Lock = 0, RepNe = 0, Rep = 0;
  TSegReg Segment = kNoSegment;
  uint8_t Prefix = kPrefixNone;  // variant selector
  uint8_t PrefixUsed = 0;        // the mandatory prefix selected an SSE variant
  uint8_t TwoByte = 0;
  uint8_t Map3 = 0;    // 0x38 or 0x3A for the three-byte maps
  uint8_t OpByte = 0;  // last opcode byte
  // VEX prefix (0xC4, 0xC5): L 256-bit, W, vvvv as a register (its top bit
  // has no register in 32-bit mode), and whether vvvv named none (1111)
  uint8_t Vex = 0, VexL = 0, VexW = 0, VexV = 0, VexVUnused = 0;
  uint16_t Flags = 0;  // the flag word (after the group table)
  // ModR/M and SIB
  uint8_t HasModRm = 0, Mod = 0, Reg = 0, Rm = 0;
  uint8_t HasSib = 0, Scale = 1;
  TX86Reg Base = kNoReg, Index = kNoReg;  // 16-bit forms: bx, bp, si, di by the same numbers
  uint8_t Addr16Form = 0;                 // 16-bit addressing: r/m selects a pair
  int32_t Disp = 0;
  uint8_t DispSize = 0;
  uint32_t DispAt = 0;
  // immediates
  uint32_t Imm = 0, Imm2 = 0;
  uint8_t ImmSize = 0, Imm2Size = 0;
  uint32_t ImmAt = 0;
  char Mnemonic[24] = {};  // resolved name ("" when invalid)
  char Operands[32] = {};  // operand descriptor of the resolved form
  uint32_t MemoryRef = 0;  // the constant memory address used (0: none)
  uint8_t MemoryRefKnown = 0;
};

// Decode one instruction at address. snapshot may be null: then nothing can
// be read and the result is invalid. regs (optional) resolves indirect
// targets through known registers and is updated by the instruction.
InstructionInfo DecodeInstruction(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs = nullptr);
// strictTargets: an indirect target through a constant cell that cannot be
// read makes the instruction invalid; the disasm tool turns
// this off to list raw code whose data is not in the file.
void DecodeInstructionFull(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs, TDecoded& out,
                           bool strictTargets = true);

// Labels for targets: when the callback knows a label for an address (for
// example "loc_00401234" inside a function), the text uses it.
class ILabelSource {
public:
  virtual ~ILabelSource() = default;
  virtual bool LabelFor(uint32_t address, std::string& label) const = 0;
};

// The instruction text without address: prefix, mnemonic padded to 8 so that
// after the address column the operands start at column 19, then operands.
std::string InstructionText(const TDecoded& d, const ILabelSource* labels = nullptr);
// Decode one instruction as text (address column included, as a line of the
// disassembly text, without annotations).
std::string DecodeInstructionText(uint32_t address, const TMemorySnapshot* snapshot, TRegState* regs,
                                  InstructionInfo& info);

// Number formatting of the reporter's text: 0..9 decimal, larger "$" + hex.
std::string NumberText(uint32_t value);

// ---------------------------------------------------------------------------
// Function parser

struct TCodeArea {
  uint32_t Begin = 0;
  uint32_t End = 0;            // last byte
  bool CaseTable = false;      // table of 32-bit code addresses
  bool ExceptTable = false;    // table of exception-class/handler pairs
  uint32_t FirstJumpFrom = 0;  // first instruction that jumps here (0: none)
  TRegState Regs;              // register state valid at Begin
  bool Invalid = false;        // ends in an undecodable instruction, its last byte
  bool Done = false;           // bookkeeping: decoded
};

struct TFarCall {
  bool IsCall = false;  // a call, or a jump out of the function
  uint32_t CodeAddr = 0;
  uint32_t NextAddr = 0;
  uint32_t Target = 0;
  uint32_t PTarget = 0;
  bool Resolved = false;
};

struct TUnknownTarget {
  bool Resolved = false;
  uint32_t CodeAddr = 0;
  uint32_t NextAddr = 0;
};

struct TFunctionInfo {
  bool IsValid = false;
  uint32_t EntryPoint = 0;
  uint32_t CodeBegin = 0;
  uint32_t CodeLen = 0;
  uint32_t LastErrorAddr = 0;
  uint32_t LastErrorNo = 0;
  std::string LastErrorStr;
  std::vector<TCodeArea> CodeAreas;
  std::vector<TFarCall> FarCalls;
  std::vector<TUnknownTarget> UnknownTargets;
  bool Interceptable = false;
  bool Copy = false;
};

// The special runtime routines (0: none). The C++ runtime of this program
// has none of them; the Delphi-style handling stays for modules that do.
struct TSpecialRoutines {
  uint32_t HandleAnyException = 0;
  uint32_t Halt0 = 0;
  uint32_t HandleFinally = 0;
  uint32_t HandleAutoException = 0;
  uint32_t HandleOnException = 0;
};

// The platform's message text for an error number (87 when the entry point
// is not committed). Natively: "The parameter is incorrect." for 87.
using ErrorMessageFn = std::string (*)(uint32_t error);

constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorInvalidCode = 0x770001;

TFunctionInfo ParseFunction(uint32_t entryPoint, const TMemorySnapshot* snapshot,
                            const TSpecialRoutines* special = nullptr, ErrorMessageFn errorMessage = nullptr);

// ---------------------------------------------------------------------------
// Disassembly text

// Names from the debug-symbol module, taken through this
// interface so that the symbol module plugs in later. Every method may
// answer false.
class IDisAsmSymbols {
public:
  virtual ~IDisAsmSymbols() = default;
  // Name of the function that starts at address (exports or debug symbols);
  // module: the module's file name when it is another module than the one of
  // the function being disassembled (empty otherwise).
  virtual bool FunctionName(uint32_t address, uint32_t ownAddress, std::string& name, std::string& module) const {
    return false;
  }
  // Source line number for a code address.
  virtual bool LineNumber(uint32_t address, uint32_t& line) const { return false; }
  // Exception class name for a class reference of an exception table.
  virtual bool ClassName(uint32_t classRef, std::string& name) const { return false; }
};

struct TDisAsmOptions {
  uint32_t ExceptAddr = 0;    // its line gets ">" as tenth character (0: none)
  bool FormatDisAsm = false;  // blank lines and separators
  int LimitDisAsm = 0;        // N > 0: keep N lines before and after the exception line
  const TSpecialRoutines* Special = nullptr;
  ErrorMessageFn ErrorMessage = nullptr;
};

// Disassemble the function at entryPoint; returns false (and an empty text)
// when it cannot be parsed (info then has the error).
bool DisAsmFunction(uint32_t entryPoint, const TMemorySnapshot* snapshot, const IDisAsmSymbols* symbols,
                    const TDisAsmOptions& options, std::string& text, TFunctionInfo& info);

// The text of a parsed function (exposed for tests of the text rules).
bool FunctionText(const TFunctionInfo& info, const TMemorySnapshot* snapshot, const IDisAsmSymbols* symbols,
                  const TDisAsmOptions& options, std::string& text);

// Keep LimitDisAsm lines around the marked line (step 9 of the text rules).
std::string LimitDisAsmText(const std::vector<std::string>& lines, int exceptLine, int limit);

extern const char* const kInternalErrorText;

}  // namespace quor
