#include "report/handling/quorExceptStacks.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "base/WinHandle.h"
#include "report/disasm/quorMemoryWin.h"
#include "report/handling/quorExceptObject.h"
#include "report/intercept/quorExceptRaise.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/settings/quorSettingsResource.h"
#include "report/stacktrace/quorStackTraceWin.h"
#include "report/text/quorTextFormat.h"

namespace quor {

namespace {

TCpuRegisters RegistersOf(const CONTEXT& c) {
  TCpuRegisters r;
  r.Eax = c.Eax, r.Ebx = c.Ebx, r.Ecx = c.Ecx, r.Edx = c.Edx, r.Esi = c.Esi, r.Edi = c.Edi;
  r.Eip = c.Eip, r.Esp = c.Esp, r.Ebp = c.Ebp;
  return r;
}

TCpuRegisters RegistersOf(const TThreadState& s) {
  TCpuRegisters r;
  r.Eax = s.Eax, r.Ebx = s.Ebx, r.Ecx = s.Ecx, r.Edx = s.Edx, r.Esi = s.Esi, r.Edi = s.Edi;
  r.Eip = s.Eip, r.Esp = s.Esp, r.Ebp = s.Ebp;
  return r;
}

std::string SectionName(uint32_t threadId, bool isReporting, bool suspended, int priority) {
  std::string name = ThreadDisplayName(threadId, isReporting) + ":";
  if (suspended) name += " <suspended>";
  if (priority != 0) name += " <priority:" + std::to_string(priority) + ">";
  return name;
}

int ThreadPriority(uint32_t threadId) {
  const base::KernelHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId));
  if (!thread) return 0;
  const int priority = GetThreadPriority(thread.get());
  return priority == THREAD_PRIORITY_ERROR_RETURN ? 0 : priority;
}

void SetCreator(TThreadStack& t) {
  TThreadRecord r;
  if (FindThreadRecord(t.ThreadId, r)) t.Creator = r.CreatorAddress, t.CreatorThreadId = r.CreatorThreadId;
}

// The reporting thread: the exception's context (or the recorded stack and
// frame pointers); its candidates come from the stack as it was at the raise.
TThreadStack PrepareReportingThread(const TExceptionParams& p, bool isException, const TMemorySnapshot* process) {
  TThreadStack t;
  t.ThreadId = p.ThreadId;
  t.IsExceptionThread = isException;
  t.SectionName = SectionName(p.ThreadId, true, false, 0);
  t.IsPlatformException = p.Description.InheritsFrom("EExternal");
  t.IsAbnormalTermination = p.Description.InheritsFrom("BcbTermination");
  CONTEXT c{};
  if (p.HasContext)
    std::memcpy(&c, p.Context, kContextSize);
  else
    c.Esp = p.StackPointer, c.Ebp = p.FramePointer, c.Eip = p.Address;
  t.Registers = RegistersOf(c);
  t.Current = p.Address ? p.Address : c.Eip;
  t.StackTop = RegionEnd(c.Esp);
  t.ContextRead = c.Esp != 0 && t.StackTop > c.Esp;
  SetCreator(t);
  if (!t.ContextRead) return t;
  t.SavedStackAt = p.RaiseStackAt;
  t.SavedStack = p.RaiseStack;
  const TThreadMemory memory(t, process);
  if (memory.Valid())
    (void)PrepareStackItems(c.Ebp, t.StackTop, c.Esp, t.Prepared, isException, t.Current, memory.Snapshot());
  if (t.Prepared.empty() && t.SavedStack.empty())
    for (auto it = p.RaiseFrames.rbegin(); it != p.RaiseFrames.rend(); ++it) t.Prepared.push_back({1, *it});
  return t;
}

// Another thread: suspended just long enough to copy its registers and
// stack; its candidates come from the copy once it runs again.
TThreadStack PrepareOtherThread(uint32_t threadId, const TMemorySnapshot& snapshot) {
  TThreadStack t;
  t.ThreadId = threadId;
  TThreadState s;
  t.ContextRead = ReadThreadState(threadId, s);
  t.SectionName = SectionName(threadId, false, s.Suspended, ThreadPriority(threadId));
  if (!t.ContextRead) return t;
  t.Registers = RegistersOf(s);
  t.Current = s.Eip;
  t.StackTop = s.StackTop;
  t.SavedStackAt = s.StackAt;
  t.SavedStack = std::move(s.Stack);
  SetCreator(t);
  const TThreadMemory memory(t, &snapshot);
  (void)PrepareStackItems(s.Ebp, t.StackTop, s.Esp, t.Prepared, false, 0, memory.Snapshot());
  return t;
}

// The thread that builds the report, shown when it carries a name (the
// handler thread in a state report): its registers now and a copy of its
// stack, whose frames below the caller are overwritten before the trace
// runs; the trace reads the copy in their place.
__attribute__((noinline)) TThreadStack PrepareSelf(uint32_t threadId, const TMemorySnapshot* process) {
  TThreadStack t;
  t.ThreadId = threadId;
  t.SectionName = SectionName(threadId, false, false, ThreadPriority(threadId));
  CONTEXT c{};
  c.ContextFlags = CONTEXT_FULL;
  RtlCaptureContext(&c);  // this function's registers at the return from the call
  t.Registers = RegistersOf(c);
  t.Current = c.Eip;
  t.StackTop = RegionEnd(c.Esp);
  t.ContextRead = c.Esp != 0 && t.StackTop > c.Esp;
  if (!t.ContextRead) return t;
  t.SavedStackAt = c.Esp;
  const uint32_t size = std::min<uint32_t>(t.StackTop - c.Esp, kRaiseStackBytes);
  t.SavedStack.assign(reinterpret_cast<const uint8_t*>(c.Esp), reinterpret_cast<const uint8_t*>(c.Esp) + size);
  const TThreadMemory memory(t, process);
  if (memory.Valid())
    (void)PrepareStackItems(c.Ebp, t.StackTop, c.Esp, t.Prepared, false, t.Current, memory.Snapshot());
  SetCreator(t);
  return t;
}

}  // namespace

bool TSavedStackReader::ReadRaw(uint32_t address, void* out, uint32_t size) const {
  const uint64_t end = uint64_t(address) + size, savedEnd = uint64_t(at_) + bytes_.size();
  const bool inside = address >= at_ && end <= savedEnd;
  if (!inside && !live_.ReadRaw(address, out, size)) return false;
  const uint64_t from = std::max<uint64_t>(address, at_), to = std::min(end, savedEnd);
  if (from < to)
    std::memcpy(static_cast<uint8_t*>(out) + (from - address), bytes_.data() + (from - at_), size_t(to - from));
  return true;
}

TThreadMemory::TThreadMemory(const TThreadStack& thread, const TMemorySnapshot* process)
    : reader_(ProcessMemoryReader(), thread.SavedStackAt, thread.SavedStack) {
  valid_ = process != nullptr;
  if (!valid_) return;
  snapshot_ = *process;
  if (!thread.SavedStack.empty()) snapshot_.SetReader(&reader_);
}

std::string ThreadDisplayName(uint32_t threadId, bool isReportingThread) {
  TThreadRecord r;
  const bool known = FindThreadRecord(threadId, r);
  if (known && !r.Name.empty() && !(isReportingThread && r.Name == kLibraryThreadName))
    return r.Name + " (" + DollarHex(threadId) + ")";
  std::string name = "thread " + DollarHex(threadId);
  if (known && !r.ClassName.empty()) name += " (" + r.ClassName + ")";
  return name;
}

std::vector<TThreadStack> PrepareThreadStacks(const TExceptionParams& p, bool listThreads,
                                              const TMemorySnapshot* process) {
  std::vector<TThreadStack> stacks;
  const uint32_t mainThread = MainThreadId();
  const bool freeze = p.Kind == kKindFreeze;
  const uint32_t first = freeze ? mainThread : p.ThreadId;

  // The reporting thread waits in the handling entry, so its stack above the
  // handling is intact; below, the raise capture's copy stands in.
  if (first == p.ThreadId) stacks.push_back(PrepareReportingThread(p, !freeze, process));
  std::vector<uint32_t> others;
  if (first != p.ThreadId)
    others.push_back(first);
  else if (mainThread && mainThread != p.ThreadId)
    others.push_back(mainThread);
  if (listThreads)
    for (uint32_t id : ProcessThreadIds())
      if ((freeze || id != p.ThreadId) && id != mainThread) others.push_back(id);
  const uint32_t self = GetCurrentThreadId();
  for (uint32_t id : others) {
    TThreadRecord r;
    const bool known = FindThreadRecord(id, r);
    const bool library = known && r.Name == kLibraryThreadName;
    if (library) continue;
    if (id == self) {
      // A thread cannot suspend itself to be read; it is shown only when
      // named for the report, or when it asked for the report itself.
      if ((known && !r.Name.empty()) || id == p.ThreadId) stacks.push_back(PrepareSelf(id, process));
    } else if (process) {
      stacks.push_back(PrepareOtherThread(id, *process));
    } else {
      TThreadStack t;
      t.ThreadId = id;
      t.SectionName = SectionName(id, false, false, ThreadPriority(id));
      stacks.push_back(std::move(t));
    }
  }
  return stacks;
}

}  // namespace quor
