#include "report/intercept/quorExceptBuf.h"

#include "report/settings/quorHeldMutex.h"
#include "report/settings/quorSettingsResource.h"

namespace quor {

namespace {

// This copy's view: each copy maps the block itself and unmaps and closes
// exactly what it opened; the count inside the block spans all copies. Plain
// handles, not owners: they end in CloseExceptBuf, never at static
// destruction. The block's own handles (mutexes, thread handles in records)
// are shared by all copies and closed by the last user.
HANDLE g_mapping = nullptr;
QuorExceptBuf* g_buf = nullptr;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Serialises opening and closing between copies: a copy that finds the
// block must not use it before its creator has made the mutexes.
class OpeningLock {
public:
  OpeningLock() : held_(Wide("QuorExceptThreadNameMtx" + DollarHex(GetCurrentProcessId())).c_str()) {}

private:
  THeldMutex held_;
};

void Unmap() {
  if (g_buf) UnmapViewOfFile(g_buf);
  if (g_mapping) CloseHandle(g_mapping);
  g_buf = nullptr;
  g_mapping = nullptr;
}

}  // namespace

std::string ExceptBufName(DWORD processId) { return "QuorExceptThreadNameBuf" + DollarHex(processId); }

TBufOpening OpenExceptBuf() {
  const OpeningLock lock;
  if (g_buf) return TBufOpening::kOpened;
  g_mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(QuorExceptBuf),
                                 Wide(ExceptBufName(GetCurrentProcessId())).c_str());
  // An object of that name that is no mapping, or one this copy may not
  // open, fails here with the name taken.
  const DWORD error = GetLastError();
  const bool existed = error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED || error == ERROR_INVALID_HANDLE;
  if (g_mapping)
    g_buf = static_cast<QuorExceptBuf*>(MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(QuorExceptBuf)));
  if (!g_buf) {
    Unmap();
    return existed ? TBufOpening::kCannotOpen : TBufOpening::kCannotCreate;
  }
  if (existed && g_buf->users > 0) {
    InterlockedIncrement(&g_buf->users);
    return TBufOpening::kOpened;
  }
  // New, or left by copies that all closed it while this copy's handle kept
  // the block alive: set up afresh.
  g_buf->watchdogMutex = CreateMutexW(nullptr, FALSE, nullptr);
  g_buf->listMutex = CreateMutexW(nullptr, FALSE, nullptr);
  g_buf->head = nullptr;
  g_buf->mapping = g_mapping;
  if (!g_buf->watchdogMutex || !g_buf->listMutex) {
    if (g_buf->watchdogMutex) CloseHandle(g_buf->watchdogMutex);
    if (g_buf->listMutex) CloseHandle(g_buf->listMutex);
    Unmap();
    return TBufOpening::kCannotCreate;
  }
  g_buf->users = 1;
  return TBufOpening::kCreated;
}

QuorExceptBuf* ExceptBuf() { return g_buf; }

void CloseExceptBuf() {
  const OpeningLock lock;
  if (!g_buf) return;
  if (InterlockedDecrement(&g_buf->users) == 0) {
    WaitForSingleObject(g_buf->listMutex, INFINITE);
    for (ThreadInfoList* r = g_buf->head; r;) {
      ThreadInfoList* next = r->next;
      FreeThreadRecord(r);
      r = next;
    }
    g_buf->head = nullptr;
    ReleaseMutex(g_buf->listMutex);
    CloseHandle(g_buf->listMutex);
    CloseHandle(g_buf->watchdogMutex);
    g_buf->listMutex = g_buf->watchdogMutex = nullptr;
  }
  Unmap();
}

bool IsFullThreadRecord(const ThreadInfoList* record) {
  const SIZE_T size = HeapSize(GetProcessHeap(), 0, record);
  return size != SIZE_T(-1) && size >= sizeof(ThreadInfoList);
}

void FreeThreadRecord(ThreadInfoList* record) {
  const HANDLE heap = GetProcessHeap();
  if (record->name) HeapFree(heap, 0, record->name);
  if (IsFullThreadRecord(record)) {
    if (record->className) HeapFree(heap, 0, record->className);
    if (record->handle) CloseHandle(record->handle);
  }
  HeapFree(heap, 0, record);
}

}  // namespace quor
