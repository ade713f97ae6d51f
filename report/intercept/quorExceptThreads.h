// The process's thread list as every copy of the reporter shares it: a name
// per thread, the class of the thread object that created it, and where and
// by which thread it was created. Threads of the reporter itself are named
// "-" and left out of reports. Without the shared block (settings not valid)
// nothing is recorded and nothing found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quor {

struct TThreadRecord {
  uint32_t ThreadId = 0;
  std::string Name;
  std::string ClassName;
  uint32_t CreatorAddress = 0;
  uint32_t CreatorThreadId = 0;
};

inline constexpr const char* kLibraryThreadName = "-";

// Start-up with valid settings: opens or creates the shared block. The
// creating copy names the process's first thread "main thread" and takes
// it as the main thread; a later copy takes the main thread from the list's
// last record. A block that cannot be had ends the process (exit code 0)
// after a message box.
void AttachThreadList();
// Shutdown: counts this copy out of the shared block.
void DetachThreadList();

// Records `name` for the thread; with a debugger attached the debugger is
// told the name as well.
void SetThreadName(uint32_t threadId, const std::string& name);
// Records `name` only (a name the debugger has already seen).
void NoteThreadName(uint32_t threadId, const std::string& name);
// Writes the creator of a new thread; `thread` is a handle of it (or null:
// one is opened by id).
void RecordThreadCreator(uint32_t threadId, uint32_t creatorAddress, uint32_t creatorThreadId,
                         const std::string& className, void* thread = nullptr);
void RemoveThreadRecord(uint32_t threadId);
// False when the thread has no record, or the list stayed locked for 50 ms
// (a report must not wait on a thread it has suspended).
[[nodiscard]] bool FindThreadRecord(uint32_t threadId, TThreadRecord& record);

// The process's threads in the platform's order.
[[nodiscard]] std::vector<uint32_t> ProcessThreadIds();

// The process's main thread.
[[nodiscard]] uint32_t MainThreadId();
void SetMainThreadId(uint32_t threadId);

}  // namespace quor
