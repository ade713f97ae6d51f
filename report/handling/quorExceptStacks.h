// The call stacks of a report, prepared while the threads' stacks are intact:
// for every thread to report, its section name, its registers, its stack
// range and the return-address candidates found on its stack. The exception
// thread keeps the stack words the raise capture copied, because its own
// frames between the throw and the catch are overwritten by then; its trace
// reads the process's memory with those words in their old place. Every
// other thread keeps the copy of its stack taken while it was suspended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/stacktrace/quorStackTrace.h"
#include "report/text/quorReportSections.h"

namespace quor {

struct TExceptionParams;

struct TThreadStack {
  uint32_t ThreadId = 0;
  std::string SectionName;
  uint32_t Current = 0;  // the exception address, else the instruction pointer
  bool IsExceptionThread = false;
  bool IsPlatformException = false;
  bool IsAbnormalTermination = false;
  bool ContextRead = false;
  TCpuRegisters Registers;
  uint32_t StackTop = 0;  // end of the stack pointer's memory region
  uint32_t Creator = 0, CreatorThreadId = 0;
  TDAPreStackItem Prepared;
  // The exception thread's stack at the raise; another thread's stack as it
  // was while suspended.
  uint32_t SavedStackAt = 0;
  std::vector<uint8_t> SavedStack;
};

// The threads to report, in order: the reporting thread (or, for a freeze or
// state report, the main thread), the main thread, and with `listThreads`
// every other thread except the reporter's own. `process` is the report's
// snapshot of the process, or nullptr when none could be taken.
[[nodiscard]] std::vector<TThreadStack> PrepareThreadStacks(const TExceptionParams& params, bool listThreads,
                                                            const TMemorySnapshot* process);

// The "thread $1a4" or recorded-name form of a thread's name.
[[nodiscard]] std::string ThreadDisplayName(uint32_t threadId, bool isReportingThread);

// Reads the process's memory, with saved bytes in place of the live ones
// inside their range.
class TSavedStackReader : public IMemoryReader {
public:
  TSavedStackReader(const IMemoryReader& live, uint32_t at, const std::vector<uint8_t>& bytes)
      : live_(live), at_(at), bytes_(bytes) {}
  [[nodiscard]] bool ReadRaw(uint32_t address, void* out, uint32_t size) const override;

private:
  const IMemoryReader& live_;
  uint32_t at_;
  const std::vector<uint8_t>& bytes_;
};

// The report's snapshot of the process as one thread's trace sees it;
// invalid when the report has no snapshot.
class TThreadMemory {
public:
  TThreadMemory(const TThreadStack& thread, const TMemorySnapshot* process);
  TThreadMemory(const TThreadMemory&) = delete;
  TThreadMemory& operator=(const TThreadMemory&) = delete;
  [[nodiscard]] bool Valid() const { return valid_; }
  [[nodiscard]] const TMemorySnapshot& Snapshot() const { return snapshot_; }

private:
  TSavedStackReader reader_;
  TMemorySnapshot snapshot_;
  bool valid_ = false;
};

}  // namespace quor
