#include "report/quorExceptStacks.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

#include "report/quorExceptModules.h"
#include "report/quorExceptObject.h"
#include "report/quorExceptThreads.h"
#include "report/quorSettingsResource.h"
#include "report/quorTextFormat.h"

namespace quor {

namespace {

constexpr uint32_t kMaxStackScan = 256 * 1024;
constexpr uint32_t kDumpBytes = 20 * 16;

// Guarded copy: false instead of a fault.
bool ReadMemory(uint32_t address, void* out, uint32_t size) {
  SIZE_T done = 0;
  return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<void*>(address), out, size, &done) && done == size;
}

uint32_t RegionEnd(uint32_t address) {
  MEMORY_BASIC_INFORMATION mbi;
  if (!VirtualQuery(reinterpret_cast<void*>(address), &mbi, sizeof mbi) || mbi.State != MEM_COMMIT) return address;
  return reinterpret_cast<uint32_t>(mbi.BaseAddress) + mbi.RegionSize;
}

// Could `v` follow a call: a relative call, an indirect near or far call of
// 2, 3, 4, 6 or 7 bytes, or a far call with an immediate pointer.
bool FollowsCall(uint32_t v) {
  uint8_t b[8];
  if (v <= 7 || !ReadMemory(v - 8, b, 8)) return false;
  if (b[3] == 0xE8) return true;  // v - 5
  if (b[1] == 0x9A) return true;  // v - 7
  for (int len : {2, 3, 4, 6, 7}) {
    const uint8_t op = b[8 - len], modrm = b[9 - len];
    const int reg = (modrm >> 3) & 7;
    if (op == 0xFF && (reg == 2 || reg == 3)) return true;
  }
  return false;
}

// The current address, then every stack value from the stack pointer up to
// the stack top that lies in code and follows a call.
std::vector<TStackLine> CandidateLines(uint32_t current, uint32_t esp, const std::vector<uint32_t>& raiseFrames,
                                       const std::vector<TCodeRange>& code) {
  std::vector<TStackLine> lines;
  const auto add = [&](uint32_t address) {
    const TCodeRange* range = FindCodeRange(code, address);
    lines.push_back({address, range ? range->Module : std::string()});
  };
  if (current) add(current);
  if (!raiseFrames.empty()) {
    for (uint32_t frame : raiseFrames) add(frame);
    return lines;
  }
  const uint32_t top = RegionEnd(esp);
  const uint32_t size = std::min(top - esp, kMaxStackScan) & ~3u;
  std::vector<uint32_t> words(size / 4);
  if (words.empty() || !ReadMemory(esp, words.data(), size)) return lines;
  for (uint32_t v : words)
    if (FindCodeRange(code, v - 1) && FollowsCall(v)) add(v);
  return lines;
}

std::vector<uint8_t> StackBytes(uint32_t esp) {
  const uint32_t size = std::min(RegionEnd(esp) - esp, kDumpBytes);
  std::vector<uint8_t> bytes(size);
  if (size && !ReadMemory(esp, bytes.data(), size)) bytes.clear();
  return bytes;
}

TCpuRegisters RegistersOf(const CONTEXT& c) {
  TCpuRegisters r;
  r.Eax = c.Eax, r.Ebx = c.Ebx, r.Ecx = c.Ecx, r.Edx = c.Edx, r.Esi = c.Esi, r.Edi = c.Edi;
  r.Eip = c.Eip, r.Esp = c.Esp, r.Ebp = c.Ebp;
  return r;
}

std::string SectionName(uint32_t threadId, bool isReporting, bool suspended, int priority) {
  std::string name = ThreadDisplayName(threadId, isReporting) + ":";
  if (suspended) name += " <suspended>";
  if (priority != 0) name += " <priority:" + std::to_string(priority) + ">";
  return name;
}

// Another thread: suspended just long enough to read its context.
bool PrepareOtherThread(TThreadStack& t, const std::vector<TCodeRange>& code) {
  HANDLE h = OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, t.ThreadId);
  if (!h) return false;
  const DWORD previous = SuspendThread(h);
  CONTEXT c;
  c.ContextFlags = CONTEXT_FULL;
  const bool read = previous != DWORD(-1) && GetThreadContext(h, &c);
  if (read) {
    t.Registers = RegistersOf(c);
    t.StackBytes = StackBytes(c.Esp);
    t.Lines = CandidateLines(c.Eip, c.Esp, {}, code);
  }
  if (previous != DWORD(-1)) ResumeThread(h);
  t.SectionName = SectionName(t.ThreadId, false, previous != DWORD(-1) && previous > 0, GetThreadPriority(h));
  CloseHandle(h);
  return read;
}

std::vector<uint32_t> ProcessThreads() {
  std::vector<uint32_t> ids;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap == INVALID_HANDLE_VALUE) return ids;
  THREADENTRY32 te;
  te.dwSize = sizeof te;
  const DWORD pid = GetCurrentProcessId();
  for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te))
    if (te.th32OwnerProcessID == pid) ids.push_back(te.th32ThreadID);
  CloseHandle(snap);
  return ids;
}

}  // namespace

std::string ThreadDisplayName(uint32_t threadId, bool isReportingThread) {
  TThreadRecord r;
  const bool known = FindThreadRecord(threadId, r);
  if (known && !r.Name.empty() && !(isReportingThread && r.Name == kLibraryThreadName))
    return r.Name + " (" + DollarHex(threadId) + ")";
  std::string name = "thread " + DollarHex(threadId);
  if (known && !r.ClassName.empty()) name += " (" + r.ClassName + ")";
  return name;
}

std::vector<TThreadStack> PrepareThreadStacks(const TExceptionParams& p, bool listThreads) {
  const std::vector<TCodeRange> code = LoadedCodeRanges();
  std::vector<TThreadStack> stacks;
  const uint32_t mainThread = MainThreadId();
  const bool freeze = p.Kind == kKindFreeze;
  const uint32_t first = freeze ? mainThread : p.ThreadId;

  // The reporting thread waits in the handling entry, so its stack is intact.
  if (first == p.ThreadId) {
    TThreadStack t;
    t.ThreadId = p.ThreadId;
    t.IsExceptionThread = !freeze;
    t.SectionName = SectionName(p.ThreadId, true, false, 0);
    CONTEXT c{};
    if (p.HasContext) std::memcpy(&c, p.Context, kContextSize);
    else c.Esp = p.StackPointer, c.Ebp = p.FramePointer, c.Eip = p.Address;
    t.ContextRead = c.Esp != 0;
    t.Registers = RegistersOf(c);
    if (t.ContextRead) {
      t.StackBytes = StackBytes(c.Esp);
      t.Lines = CandidateLines(p.Address, c.Esp, p.RaiseFrames, code);
    }
    stacks.push_back(std::move(t));
  }
  std::vector<uint32_t> others;
  if (first != p.ThreadId) others.push_back(first);
  else if (mainThread && mainThread != p.ThreadId) others.push_back(mainThread);
  if (listThreads)
    for (uint32_t id : ProcessThreads())
      if (id != p.ThreadId && id != mainThread) others.push_back(id);
  const uint32_t self = GetCurrentThreadId();
  for (uint32_t id : others) {
    TThreadRecord r;
    const bool library = FindThreadRecord(id, r) && r.Name == kLibraryThreadName;
    if (id == self || (library && !p.ShowLibraryThreads)) continue;
    TThreadStack t;
    t.ThreadId = id;
    if (!PrepareOtherThread(t, code) && t.SectionName.empty()) t.SectionName = SectionName(id, false, false, 0);
    stacks.push_back(std::move(t));
  }
  return stacks;
}

}  // namespace quor
