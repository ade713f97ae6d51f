// The block that every copy of the reporter in the process shares (the
// executable and each library built with the reporter): 20 bytes of the
// paging file named "QuorExceptThreadNameBuf$<pid>" with the freeze
// watchdog's mutex, the thread list's mutex and head, and the number of
// copies that use it. The first copy creates the mutexes and the list; the
// handles are valid for every copy because they belong to the one process.
#pragma once

#include <windows.h>

#include <string>

namespace quor {

// One thread of the process. Records and their texts live on the process
// heap, so every copy can read and free what another wrote. Records of older
// copies end after `next`: a reader checks the allocation's size before it
// reads further.
struct ThreadInfoList {
  DWORD threadId;
  char* name;
  ThreadInfoList* next;
  char* className;       // of the thread object that started the thread
  DWORD creatorAddress;  // the code that started the thread
  DWORD creatorThreadId;
  HANDLE handle;  // synchronize and query rights
};
static_assert(sizeof(void*) != 4 || sizeof(ThreadInfoList) == 28, "a thread record is 28 bytes");

struct QuorExceptBuf {
  HANDLE watchdogMutex;  // held by the process's one running freeze watchdog
  HANDLE listMutex;
  ThreadInfoList* head;
  LONG users;      // copies of the reporter that use the block
  HANDLE mapping;  // the creating copy's handle
};
static_assert(sizeof(void*) != 4 || sizeof(QuorExceptBuf) == 20, "the shared block is 20 bytes");

enum class TBufOpening {
  kCreated,       // this copy is the first
  kOpened,        // another copy made it
  kCannotOpen,    // it exists, but this copy cannot use it
  kCannotCreate,  // it could not be made at all
};

// "QuorExceptThreadNameBuf$1a4" for process 0x1a4.
[[nodiscard]] std::string ExceptBufName(DWORD processId);

// Maps the block (creating it when this copy is the first) and counts this
// copy as a user.
[[nodiscard]] TBufOpening OpenExceptBuf();
// This copy's view of the block; null before OpenExceptBuf and after
// CloseExceptBuf.
[[nodiscard]] QuorExceptBuf* ExceptBuf();
// Counts this copy out; the last user frees the thread list and closes the
// mutexes. Every copy unmaps and closes its own view and handle.
void CloseExceptBuf();

// A record's fields past `next` are there (not a record of an older copy).
[[nodiscard]] bool IsFullThreadRecord(const ThreadInfoList* record);
// Frees the record with its texts and handle.
void FreeThreadRecord(ThreadInfoList* record);

}  // namespace quor
