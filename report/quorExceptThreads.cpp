#include "report/quorExceptThreads.h"

#include <map>
#include <mutex>

namespace quor {

namespace {

std::mutex& ListLock() {
  static std::mutex lock;
  return lock;
}

std::map<uint32_t, TThreadRecord>& List() {
  static std::map<uint32_t, TThreadRecord> list;
  return list;
}

uint32_t g_mainThread = 0;

}  // namespace

void SetThreadName(uint32_t threadId, const std::string& name) {
  std::lock_guard<std::mutex> hold(ListLock());
  TThreadRecord& r = List()[threadId];
  r.ThreadId = threadId;
  if (!name.empty()) r.Name = name;
}

void RecordThreadCreator(uint32_t threadId, uint32_t creatorAddress, uint32_t creatorThreadId,
                         const std::string& className) {
  std::lock_guard<std::mutex> hold(ListLock());
  TThreadRecord& r = List()[threadId];
  r.ThreadId = threadId;
  r.CreatorAddress = creatorAddress;
  r.CreatorThreadId = creatorThreadId;
  if (!className.empty()) r.ClassName = className;
}

void RemoveThreadRecord(uint32_t threadId) {
  std::lock_guard<std::mutex> hold(ListLock());
  List().erase(threadId);
}

bool FindThreadRecord(uint32_t threadId, TThreadRecord& record) {
  std::lock_guard<std::mutex> hold(ListLock());
  const auto it = List().find(threadId);
  if (it == List().end()) return false;
  record = it->second;
  return true;
}

uint32_t MainThreadId() { return g_mainThread; }
void SetMainThreadId(uint32_t threadId) { g_mainThread = threadId; }

}  // namespace quor
