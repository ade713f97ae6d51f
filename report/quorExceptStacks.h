// The call stacks of a report, prepared while the threads' stacks are intact:
// for every thread to report, its section name, its registers, the bytes at
// its stack pointer and its provisional call stack (the current address,
// then the return-address candidates found on its stack, newest first).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/quorReportSections.h"

namespace quor {

struct TExceptionParams;

struct TThreadStack {
  uint32_t ThreadId = 0;
  std::string SectionName;
  bool IsExceptionThread = false;
  bool ContextRead = false;
  TCpuRegisters Registers;
  std::vector<uint8_t> StackBytes;  // from Registers.Esp, at most 320 bytes
  std::vector<TStackLine> Lines;
};

// The threads to report, in order: the reporting thread (or, for a freeze or
// state report, the main thread), the main thread, and with `listThreads`
// every other thread except the reporter's own.
[[nodiscard]] std::vector<TThreadStack> PrepareThreadStacks(const TExceptionParams& params, bool listThreads);

// The "thread $1a4" or recorded-name form of a thread's name.
[[nodiscard]] std::string ThreadDisplayName(uint32_t threadId, bool isReportingThread);

}  // namespace quor
