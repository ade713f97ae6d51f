// The inside of one trace: the candidate items, their links, and the steps
// shared by the phases. Not for use outside the tracer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/stacktrace/quorStackTrace.h"

namespace quor {

// Stacks larger than this are not read (bad bounds).
constexpr uint32_t kMaxStackBytes = 16u << 20;

// A link stored at an item describes that item's own call (the call
// instruction that returned to its value, and the function holding it) and
// points to the item the call leads to or comes from (-1: none yet).
struct TItemLink {
  int Item = -1;
  int Function = -1;
  uint32_t CallAddr = 0;
  bool Indirect = false;
  uint32_t Target = 0;
};

struct TInternalStackItem {
  uint32_t Value = 0;  // return address (forced: the next instruction)
  int Module = -1;
  bool Sure = false, Forced = false, Invalid = false;
  bool IsCurrent = false;       // the current address (or its stack slot)
  std::vector<TItemLink> Down;  // towards newer items (higher index)
  std::vector<TItemLink> Up;    // towards older items
  int ChosenDown = -1, ChosenUp = -1;
  // output
  uint32_t Display = 0;
  std::string ModuleName, UnitName, FunctionName;
  uint32_t FunctionStart = 0;
  int32_t Line = 0, RelLine = 0;
  bool HasRelLine = false;
};

// Result of a link test: the call in the function that returns to the value.
struct TLinkMatch {
  uint32_t CallAddr = 0;
  uint32_t Target = 0;
  bool Indirect = false;
  uint32_t Display = 0;  // forced items: the start of the instruction
};

struct TTraceRun {
  const TTraceRequest& Req;
  const TMemorySnapshot& Memory;
  TTraceTables& Tables;
  std::vector<TInternalStackItem> Items;  // oldest first
  int CreatorItem = -1;

  bool Aborted() const { return Req.Abort && Req.Abort->load(); }
  void Progress(int permille) const {
    if (Req.ProgressTo) Req.ProgressTo->Progress(permille);
  }
  // The current address of a language (not a platform) exception.
  bool LanguageCurrent(const TInternalStackItem& item) const {
    return item.IsCurrent && Req.IsException && !Req.IsPlatformException;
  }
  int ModuleFor(uint32_t a) { return Tables.ModuleFor(a, Memory, Req.Describer); }
  bool LinkTest(int function, uint32_t value, bool forced, bool currentOfLanguageException, TLinkMatch& match) const;
  // The call of the function whose return address is the current address
  // and whose target is a raise entry of the runtime.
  bool RaiseLink(int function, TLinkMatch& match) const;
};

// Frame slots (the return-address slots F + 4 of the frame-pointer chain),
// ascending.
std::vector<uint32_t> FrameSlots(uint32_t framePointer, uint32_t stackBottom, uint32_t stackTop,
                                 const TMemorySnapshot& memory);
bool IsFrameSlot(const std::vector<uint32_t>& slots, uint32_t slot);
// The stack words of [stackBottom, stackTop); false when unreadable.
bool ReadStackWords(uint32_t stackBottom, uint32_t stackTop, const TMemorySnapshot& memory,
                    std::vector<uint32_t>& words);

// The phases, in order.
void CollectPossibleStackItems(TTraceRun& run);
void RemoveRecursion(TTraceRun& run, bool deleteLinks);
void InDeepChecks(TTraceRun& run);
void RealizeOptimalLinkChains(TTraceRun& run);
void FillFinalOutput(TTraceRun& run, TTraceResult& result);
void ComposeResult(TTraceRun& run, TTraceResult& result);

// Whether a valid item is shown in the text and the trace.
bool IsShown(const TInternalStackItem& item, bool hideUglyItems);

}  // namespace quor
