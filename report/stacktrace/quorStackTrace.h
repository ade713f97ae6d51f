// The stack tracer: turns the raw memory of a thread's stack into the list
// of calls that led to its current point. Every 32-bit stack value is a
// possible return address; the decoder proves or disproves each, values in
// the frame-pointer chain are sure, candidates are linked into chains in
// which each function really calls the next, recursion is removed and the
// best chain between sure points is kept. Platform-free: it works on a
// memory snapshot and plain register values.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "report/stacktrace/quorStackTraceTables.h"

namespace quor {

// One traced call.
struct TStackItem {
  uint32_t Address = 0;
  uint32_t Offset = 0;  // from the function start; 0 when unknown
  std::string ModuleName;
  std::string UnitName;
  int32_t Line = 0;
  int32_t RelLine = 0;  // line relative to the function's first line
  std::string FunctionName;
};
using TStackTrace = std::vector<TStackItem>;

// A prepared candidate: a stack value that follows a call, and whether it
// sits in a frame-pointer slot.
struct TPreStackItem {
  uint8_t Sure = 0;
  uint32_t Address = 0;
};
using TDAPreStackItem = std::vector<TPreStackItem>;

// Could `value` be a return address: the bytes before it end with a call.
bool FollowsCall(uint32_t value, const TMemorySnapshot& memory);

// The quick preparation while the stack is intact: the candidates from the
// oldest slot (stackTop - 4) down to stackBottom, sure when in a frame slot;
// for an exception the walk stops at the slot that holds `current`. Returns
// the index of the last prepared item, -1 when nothing was found.
int PrepareStackItems(uint32_t framePointer, uint32_t stackTop, uint32_t stackBottom, TDAPreStackItem& items,
                      bool isException, uint32_t current, const TMemorySnapshot& memory);

// Receives the progress of one trace, 0..1000.
class ITraceProgress {
public:
  virtual ~ITraceProgress() = default;
  virtual void Progress(int permille) = 0;
};

struct TTraceRequest {
  // The thread: its stack [StackBottom, StackTop), frame pointer and the
  // current address (exception address or instruction pointer).
  uint32_t StackBottom = 0, StackTop = 0, FramePointer = 0;
  uint32_t Current = 0;
  bool LeaveOutCurrent = false;
  bool IsException = false;          // the current address comes from an exception
  bool IsPlatformException = false;  // ... a hardware or platform exception
  bool AbnormalTermination = false;
  uint32_t Creator = 0;                       // code address that started the thread (0: none)
  const TDAPreStackItem* Prepared = nullptr;  // use these instead of walking the stack
  // Settings.
  bool HideUglyItems = false;
  bool ShowRelAddrs = false;
  bool ShowRelLines = false;
  bool SimpleTrace = false;  // no chain optimisation
  // Environment.
  const TMemorySnapshot* Memory = nullptr;
  TTraceTables* Tables = nullptr;  // null: the process's tables
  const IModuleDescriber* Describer = nullptr;
  ITraceProgress* ProgressTo = nullptr;
  const std::atomic<bool>* Abort = nullptr;
};

struct TTraceResult {
  std::string Text;             // the call-stack lines, or ends in ">> internal error in ..."
  TStackTrace Items;            // the shown items, newest first
  uint32_t Crc1 = 0, Crc2 = 0;  // first and second check sum
  bool HasLineNumbers = false;
  uint32_t CurrentAddress = 0;  // display address of the newest item
  // For the disassembly: the function and the address to mark (0: none).
  uint32_t FunctionStart = 0, FunctionAddress = 0;
  std::vector<std::string> MinDebugInfos;  // "module|text" once per module
  bool Completed = false;                  // false when aborted or a phase failed
};

TTraceResult TraceThreadStack(const TTraceRequest& request);

// The single line of one address ("exception location", internal errors).
std::string StackItemLine(uint32_t address, bool showRelAddrs, bool showRelLines, const TMemorySnapshot& memory,
                          TTraceTables& tables, const IModuleDescriber* describer);

}  // namespace quor
