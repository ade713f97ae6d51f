#include "report/intercept/quorExceptThreads.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>

#include "base/WinHandle.h"
#include "report/intercept/quorExceptBuf.h"
#include "report/intercept/quorThreadNaming.h"

namespace quor {

namespace {

constexpr DWORD kReadWaitMs = 50;
constexpr DWORD kThreadAccess = SYNCHRONIZE | THREAD_QUERY_INFORMATION;

uint32_t g_mainThread = 0;
bool g_attached = false;

// Holds the list mutex. An abandoned mutex (its holder ended) is ours all
// the same.
class ListLock {
public:
  explicit ListLock(DWORD waitMs) : buf_(ExceptBuf()) {
    if (!buf_) return;
    const DWORD result = WaitForSingleObject(buf_->listMutex, waitMs);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
  }
  ~ListLock() {
    if (held_) ReleaseMutex(buf_->listMutex);
  }
  ListLock(const ListLock&) = delete;
  ListLock& operator=(const ListLock&) = delete;
  [[nodiscard]] bool Held() const { return held_; }
  [[nodiscard]] QuorExceptBuf& Buf() const { return *buf_; }

private:
  QuorExceptBuf* buf_;
  bool held_ = false;
};

char* HeapText(const std::string& text) {
  char* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, text.size() + 1));
  if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// What one update gives; absent fields keep the old record's values.
struct TUpdate {
  const std::string* Name = nullptr;
  bool HasCreator = false;
  uint32_t CreatorAddress = 0, CreatorThreadId = 0;
  const std::string* ClassName = nullptr;
  HANDLE Thread = nullptr;
};

// The handle a new record keeps: the given one duplicated, else the old
// record's, else one opened by id.
HANDLE RecordHandle(DWORD threadId, HANDLE given, ThreadInfoList* old) {
  HANDLE handle = nullptr;
  if (given && DuplicateHandle(GetCurrentProcess(), given, GetCurrentProcess(), &handle, kThreadAccess, FALSE, 0))
    return handle;
  if (old && IsFullThreadRecord(old) && old->handle) {
    handle = old->handle;
    old->handle = nullptr;
    return handle;
  }
  return OpenThread(kThreadAccess, FALSE, threadId);
}

ThreadInfoList* NewRecord(DWORD threadId, const TUpdate& u, ThreadInfoList* old) {
  auto* r = static_cast<ThreadInfoList*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ThreadInfoList)));
  if (!r) return nullptr;
  const bool full = old && IsFullThreadRecord(old);
  r->threadId = threadId;
  // Texts the new record keeps move over from the old one.
  if (u.Name)
    r->name = HeapText(*u.Name);
  else if (old)
    std::swap(r->name, old->name);
  if (u.ClassName)
    r->className = HeapText(*u.ClassName);
  else if (full)
    std::swap(r->className, old->className);
  r->creatorAddress = u.HasCreator ? u.CreatorAddress : full ? old->creatorAddress : 0;
  r->creatorThreadId = u.HasCreator ? u.CreatorThreadId : full ? old->creatorThreadId : 0;
  r->handle = RecordHandle(threadId, u.Thread, old);
  return r;
}

bool HasEnded(const ThreadInfoList* r) {
  return IsFullThreadRecord(r) && r->handle && WaitForSingleObject(r->handle, 0) == WAIT_OBJECT_0;
}

// Under the list mutex: the thread's record is replaced (in its place, so
// the main thread's record stays the last one) or, when neither a name nor
// a creator is given, removed. Then every record whose thread has ended goes.
void UpdateThreadRecord(DWORD threadId, const TUpdate& u) {
  const ListLock lock(INFINITE);
  if (!lock.Held()) return;
  ThreadInfoList** link = &lock.Buf().head;
  while (*link && (*link)->threadId != threadId) link = &(*link)->next;
  ThreadInfoList* old = *link;
  ThreadInfoList* replacement = u.Name || u.HasCreator ? NewRecord(threadId, u, old) : nullptr;
  if (replacement) {
    if (old) {
      replacement->next = old->next;
      *link = replacement;
    } else {
      replacement->next = lock.Buf().head;
      lock.Buf().head = replacement;
    }
  } else if (old) {
    *link = old->next;
  }
  if (old) FreeThreadRecord(old);
  for (ThreadInfoList** at = &lock.Buf().head; *at;) {
    ThreadInfoList* r = *at;
    if (HasEnded(r)) {
      *at = r->next;
      FreeThreadRecord(r);
    } else {
      at = &r->next;
    }
  }
}

void FailAndExit(const char* text) {
  MessageBoxA(nullptr, text, "QuorExcept", MB_OK | MB_ICONERROR);
  ExitProcess(0);
}

// A later copy: the list's last record is the oldest, written by the first
// copy for the main thread.
uint32_t MainThreadFromList() {
  const ListLock lock(INFINITE);
  const ThreadInfoList* r = lock.Held() ? lock.Buf().head : nullptr;
  while (r && r->next) r = r->next;
  return r ? r->threadId : GetCurrentThreadId();
}

}  // namespace

void AttachThreadList() {
  switch (OpenExceptBuf()) {
    case TBufOpening::kCannotOpen:
      FailAndExit("internal error (opening global buffer)");
      break;
    case TBufOpening::kCannotCreate:
      FailAndExit("internal error. please notify support@sorvenal.example");
      break;
    case TBufOpening::kCreated: {
      const std::vector<uint32_t> threads = ProcessThreadIds();
      SetMainThreadId(threads.empty() ? GetCurrentThreadId() : threads.front());
      NoteThreadName(MainThreadId(), "main thread");
      break;
    }
    case TBufOpening::kOpened:
      SetMainThreadId(MainThreadFromList());
      break;
  }
  g_attached = true;
}

void DetachThreadList() {
  if (!g_attached) return;
  g_attached = false;
  CloseExceptBuf();
}

void NoteThreadName(uint32_t threadId, const std::string& name) {
  TUpdate u;
  u.Name = &name;
  UpdateThreadRecord(threadId, u);
}

void SetThreadName(uint32_t threadId, const std::string& name) {
  NoteThreadName(threadId, name);
  if (IsDebuggerPresent()) RaiseThreadNaming(threadId, name.c_str());
}

void RecordThreadCreator(uint32_t threadId, uint32_t creatorAddress, uint32_t creatorThreadId,
                         const std::string& className, void* thread) {
  TUpdate u;
  u.HasCreator = true;
  u.CreatorAddress = creatorAddress;
  u.CreatorThreadId = creatorThreadId;
  if (!className.empty()) u.ClassName = &className;
  u.Thread = thread;
  UpdateThreadRecord(threadId, u);
}

void RemoveThreadRecord(uint32_t threadId) { UpdateThreadRecord(threadId, TUpdate{}); }

bool FindThreadRecord(uint32_t threadId, TThreadRecord& record) {
  const ListLock lock(kReadWaitMs);
  if (!lock.Held()) return false;
  const ThreadInfoList* r = lock.Buf().head;
  while (r && r->threadId != threadId) r = r->next;
  if (!r) return false;
  record = TThreadRecord{};
  record.ThreadId = r->threadId;
  if (r->name) record.Name = r->name;
  if (IsFullThreadRecord(r)) {
    if (r->className) record.ClassName = r->className;
    record.CreatorAddress = r->creatorAddress;
    record.CreatorThreadId = r->creatorThreadId;
  }
  return true;
}

std::vector<uint32_t> ProcessThreadIds() {
  std::vector<uint32_t> ids;
  const base::SnapshotHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snap) return ids;
  THREADENTRY32 te;
  te.dwSize = sizeof te;
  const DWORD pid = GetCurrentProcessId();
  for (BOOL ok = Thread32First(snap.get(), &te); ok; ok = Thread32Next(snap.get(), &te))
    if (te.th32OwnerProcessID == pid) ids.push_back(te.th32ThreadID);
  return ids;
}

uint32_t MainThreadId() { return g_mainThread; }
void SetMainThreadId(uint32_t threadId) { g_mainThread = threadId; }

}  // namespace quor
