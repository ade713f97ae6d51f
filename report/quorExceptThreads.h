// The process's thread list as the reporter keeps it: a name per thread, the
// class of the thread object that created it, and where and by which thread
// it was created. Threads of the reporter itself are named "-" and left out
// of reports.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

struct TThreadRecord {
  uint32_t ThreadId = 0;
  std::string Name;
  std::string ClassName;
  uint32_t CreatorAddress = 0;
  uint32_t CreatorThreadId = 0;
};

inline constexpr const char* kLibraryThreadName = "-";

// Records `name` for the thread (an empty name keeps the old one).
void SetThreadName(uint32_t threadId, const std::string& name);
// Writes a record with the creator of a new thread.
void RecordThreadCreator(uint32_t threadId, uint32_t creatorAddress, uint32_t creatorThreadId,
                         const std::string& className);
void RemoveThreadRecord(uint32_t threadId);
[[nodiscard]] bool FindThreadRecord(uint32_t threadId, TThreadRecord& record);

// The process's main thread: the first thread of the process at start-up.
[[nodiscard]] uint32_t MainThreadId();
void SetMainThreadId(uint32_t threadId);

}  // namespace quor
