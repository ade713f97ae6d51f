#include "report/intercept/quorExceptThreadHooks.h"

#include <windows.h>

#include <exception>
#include <new>

#include "report/handling/quorExceptClass.h"
#include "report/handling/quorExceptPipeline.h"
#include "report/intercept/quorCodePatch.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorThreadCreator.h"

namespace quor {

namespace {

using TCreateThread = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
using TQueueUserWorkItem = BOOL(WINAPI*)(LPTHREAD_START_ROUTINE, PVOID, ULONG);

TCreateThread g_createThread = nullptr;
TQueueUserWorkItem g_queueUserWorkItem = nullptr;

// What the wrapper needs to start the real procedure; the wrapper frees it.
struct TStart {
  LPTHREAD_START_ROUTINE Procedure;
  void* Parameter;
};

// Reports an exception that escaped a thread procedure or a work item; in
// its catch block. The object comes from the exception being handled, not
// from the thread's last raise: one rethrown from a stored exception_ptr
// (a future's) was raised elsewhere.
void ReportEscaped() {
  const std::exception_ptr error = std::current_exception();
  THandleArgs a;
  a.Object = ThrownObject(error);
  a.Type = ThrownType(error);
  a.Source = kSourceThread;
  a.CanContinue = true;
  HandleException(a);
}

// Runs the procedure of a started thread (`thread`) or of a work item in a
// reporting frame; frees the start record.
template <bool thread>
DWORD WINAPI Framed(void* p) {
  const TStart s = *static_cast<TStart*>(p);
  delete static_cast<TStart*>(p);
  DWORD result = 0;
  try {
    result = s.Procedure(s.Parameter);
  } catch (...) {
    ReportEscaped();
  }
  if (thread) RemoveThreadRecord(GetCurrentThreadId());
  return result;
}

__attribute__((noinline)) HANDLE WINAPI HookedCreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stack,
                                                           LPTHREAD_START_ROUTINE procedure, LPVOID parameter,
                                                           DWORD flags, LPDWORD id) {
  const uint32_t creator = ThreadCreator(__builtin_frame_address(0));
  auto* start = new (std::nothrow) TStart{procedure, parameter};
  if (!start) return g_createThread(security, stack, procedure, parameter, flags, id);
  DWORD threadId = 0;
  HANDLE thread = g_createThread(security, stack, &Framed<true>, start, flags, &threadId);
  if (!thread) {
    delete start;
    return nullptr;
  }
  if (id) *id = threadId;
  RecordThreadCreator(threadId, creator, GetCurrentThreadId(), "", thread);
  return thread;
}

BOOL WINAPI HookedQueueUserWorkItem(LPTHREAD_START_ROUTINE procedure, PVOID context, ULONG flags) {
  auto* start = new (std::nothrow) TStart{procedure, context};
  if (!start) return g_queueUserWorkItem(procedure, context, flags);
  if (g_queueUserWorkItem(&Framed<false>, start, flags)) return TRUE;
  delete start;
  return FALSE;
}

}  // namespace

uint32_t HookThreadCreation() {
  PrepareThreadCreator();
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  g_createThread = reinterpret_cast<TCreateThread>(GetProcAddress(kernel, "CreateThread"));
  g_queueUserWorkItem = reinterpret_cast<TQueueUserWorkItem>(GetProcAddress(kernel, "QueueUserWorkItem"));
  uint32_t count = 0;
  if (g_createThread)
    count +=
        PatchImports(reinterpret_cast<const void*>(g_createThread), reinterpret_cast<const void*>(&HookedCreateThread));
  if (g_queueUserWorkItem)
    count += PatchImports(reinterpret_cast<const void*>(g_queueUserWorkItem),
                          reinterpret_cast<const void*>(&HookedQueueUserWorkItem));
  return count;
}

}  // namespace quor
