#include "report/intercept/quorThreadNaming.h"

#include "report/disasm/quorMemoryWin.h"

namespace quor {

namespace {

constexpr ULONG_PTR kNamingType = 0x1000;
constexpr uint32_t kMaxNameLength = 255;

// The record as the convention lays it out, in the exception's parameters.
struct TThreadNameInfo {
  ULONG_PTR Type;
  ULONG_PTR Name;
  ULONG_PTR ThreadId;
  ULONG_PTR Flags;
};

// The raise that RaiseThreadNaming is making on this thread, if any.
thread_local const TThreadNameInfo* t_ownRaise = nullptr;

// First in the chain while our own raise is under way: that raise, and only
// that one, continues after the RaiseException call.
LONG CALLBACK IgnoreOwnRaise(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* r = info->ExceptionRecord;
  if (r->ExceptionCode != kThreadNamingCode || !t_ownRaise || r->NumberParameters != 4 ||
      r->ExceptionInformation[1] != t_ownRaise->Name)
    return EXCEPTION_CONTINUE_SEARCH;
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

void RaiseThreadNaming(uint32_t threadId, const char* name) {
  const TThreadNameInfo info{kNamingType, reinterpret_cast<ULONG_PTR>(name), threadId, 0};
  PVOID handler = AddVectoredExceptionHandler(1, &IgnoreOwnRaise);
  if (!handler) return;
  t_ownRaise = &info;
  RaiseException(kThreadNamingCode, 0, 4, reinterpret_cast<const ULONG_PTR*>(&info));
  t_ownRaise = nullptr;
  RemoveVectoredExceptionHandler(handler);
}

bool ReadThreadNaming(const EXCEPTION_RECORD& record, uint32_t& threadId, std::string& name) {
  if (record.ExceptionCode != kThreadNamingCode || record.NumberParameters < 4) return false;
  const TThreadNameInfo& info = *reinterpret_cast<const TThreadNameInfo*>(record.ExceptionInformation);
  if (info.Type != kNamingType || info.Flags != 0) return false;
  threadId = info.ThreadId == ULONG_PTR(-1) ? GetCurrentThreadId() : uint32_t(info.ThreadId);
  name.clear();
  char c = 0;
  for (uint32_t at = uint32_t(info.Name); name.size() < kMaxNameLength; ++at) {
    if (!ProcessMemoryReader().ReadRaw(at, &c, 1) || c == 0) break;
    name += c;
  }
  return true;
}

}  // namespace quor
