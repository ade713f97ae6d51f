#include "report/intercept/quorExceptRaise.h"

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "base/Address.h"
#include "report/handling/quorExceptModules.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorThreadNaming.h"
#include "toolkit/SysExceptions.h"

static_assert(offsetof(CONTEXT, ExtendedRegisters) == quor::kContextSize);

extern "C" [[noreturn]] void __real___cxa_throw(void* object, std::type_info* type, void (*destroy)(void*));

namespace quor {

namespace {

// A fault that the vectored handler is turning into a throw on this thread.
struct TPendingFault {
  bool Pending = false;
  DWORD Code = 0;
  uint32_t Address = 0;
  bool Write = false;
  uint32_t Target = 0;
  uint8_t Context[kContextSize] = {};
};

thread_local TRaiseRecord t_raise;
thread_local TPendingFault t_fault;
PVOID g_faultHandler = nullptr;

// The thread's stack bounds from its information block.
void StackBounds(uint32_t& low, uint32_t& high) {
  const NT_TIB* tib = reinterpret_cast<const NT_TIB*>(NtCurrentTeb());
  low = base::AddressOf(tib->StackLimit);
  high = base::AddressOf(tib->StackBase);
}

// Return addresses of the frame-pointer chain from `frame`; the chain stays
// inside the committed part of this thread's stack, so no read can fault.
void CaptureFrames(TRaiseRecord& r, uint32_t frame) {
  uint32_t low, high;
  StackBounds(low, high);
  r.FrameCount = 0;
  while (r.FrameCount < kRaiseFrames && frame >= low && frame + 8 <= high && (frame & 3) == 0) {
    const uint32_t* slot = reinterpret_cast<const uint32_t*>(frame);
    if (slot[1] == 0) break;
    r.Frames[r.FrameCount++] = slot[1];
    if (slot[0] <= frame) break;
    frame = slot[0];
  }
}

// The stack words from `esp` up to the stack's base, at most
// kRaiseStackBytes: one copy into the thread's buffer. The range lies in the
// committed part of this thread's stack, so the copy cannot fault. Without a
// buffer (no memory) nothing is kept.
void CaptureStack(TRaiseRecord& r, uint32_t esp) {
  uint32_t low, high;
  StackBounds(low, high);
  r.StackAt = esp;
  r.StackSize = 0;
  if (esp < low || esp >= high) return;
  if (!r.Stack) r.Stack = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, kRaiseStackBytes));
  if (!r.Stack) return;
  r.StackSize = high - esp < kRaiseStackBytes ? high - esp : kRaiseStackBytes;
  std::memcpy(r.Stack, reinterpret_cast<const void*>(esp), r.StackSize);
}

[[noreturn]] void RaisePendingFault() {
  const TPendingFault f = t_fault;  // a copy: the throw below starts a new capture
  switch (f.Code) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
      throw tk::EZeroDivide("Division by zero");
    case EXCEPTION_INT_OVERFLOW:
      throw tk::EIntOverflow("Integer overflow");
    default:
      throw tk::EAccessViolation(AccessViolationMessage(f.Address, f.Write, f.Target));
  }
}

LONG CALLBACK ConvertFault(EXCEPTION_POINTERS* info) {
  const DWORD code = info->ExceptionRecord->ExceptionCode;
  // A thread name the program tells a debugger goes into the thread list;
  // the program's own handler takes the exception further on.
  uint32_t namedThread = 0;
  std::string name;
  if (ReadThreadNaming(*info->ExceptionRecord, namedThread, name)) {
    NoteThreadName(namedThread, name);
    return EXCEPTION_CONTINUE_SEARCH;
  }
  if (code != EXCEPTION_ACCESS_VIOLATION && code != EXCEPTION_INT_DIVIDE_BY_ZERO && code != EXCEPTION_INT_OVERFLOW)
    return EXCEPTION_CONTINUE_SEARCH;
  CONTEXT* ctx = info->ContextRecord;
  // Only code with our unwind tables can unwind from the faulting instruction.
  if (!IsOwnCode(ctx->Eip) || t_fault.Pending) return EXCEPTION_CONTINUE_SEARCH;
  uint32_t low, high;
  StackBounds(low, high);
  if (ctx->Esp < low + 4 || ctx->Esp > high) return EXCEPTION_CONTINUE_SEARCH;
  TPendingFault& f = t_fault;
  f.Pending = true;
  f.Code = code;
  f.Address = ctx->Eip;
  f.Write = code == EXCEPTION_ACCESS_VIOLATION && info->ExceptionRecord->ExceptionInformation[0] != 0;
  f.Target = code == EXCEPTION_ACCESS_VIOLATION ? info->ExceptionRecord->ExceptionInformation[1] : 0;
  std::memcpy(f.Context, ctx, kContextSize);
  // Continue as if the faulting instruction had called RaisePendingFault: the
  // unwinder then looks the fault address up in the unwind tables.
  ctx->Esp -= 4;
  *reinterpret_cast<DWORD*>(ctx->Esp) = ctx->Eip + 1;
  ctx->Eip = reinterpret_cast<DWORD>(&RaisePendingFault);
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

TRaiseRecord::~TRaiseRecord() {
  if (Stack) HeapFree(GetProcessHeap(), 0, Stack);
}

TRaiseRecord& ThreadRaiseRecord() { return t_raise; }

void ClearRaiseRecord() {
  t_raise.Object = nullptr;
  t_raise.Type = nullptr;
  t_raise.Address = 0;
  t_raise.FrameCount = 0;
  t_raise.StackSize = 0;
}

std::string AccessViolationMessage(uint32_t address, bool write, uint32_t target) {
  char text[400];
  std::snprintf(text, sizeof text, "Access violation at address %08X in module '%s'. %s of address %08X", address,
                ModuleFileNameOf(address).c_str(), write ? "Write" : "Read", target);
  return text;
}

bool InstallFaultConversion() {
  if (!g_faultHandler) g_faultHandler = AddVectoredExceptionHandler(1, &ConvertFault);
  return g_faultHandler != nullptr;
}

void RemoveFaultConversion() {
  if (g_faultHandler) RemoveVectoredExceptionHandler(g_faultHandler);
  g_faultHandler = nullptr;
}

}  // namespace quor

// Every throw passes here (the program is linked with --wrap=__cxa_throw).
// One context copy, a short walk of the frame chain and one copy of at most
// kRaiseStackBytes of the stack, nothing else.
extern "C" [[noreturn]] void __wrap___cxa_throw(void* object, std::type_info* type, void (*destroy)(void*)) {
  using namespace quor;
  TRaiseRecord& r = t_raise;
  r.Object = object;
  r.Type = type;
  if (t_fault.Pending) {
    // A converted fault: the report shows the faulting instruction.
    t_fault.Pending = false;
    std::memcpy(r.Context, t_fault.Context, kContextSize);
    r.Address = t_fault.Address;
    CaptureFrames(r, reinterpret_cast<const CONTEXT*>(r.Context)->Ebp);
    CaptureStack(r, reinterpret_cast<const CONTEXT*>(r.Context)->Esp);
  } else {
    CONTEXT ctx;
    ctx.ContextFlags = CONTEXT_FULL;
    RtlCaptureContext(&ctx);
    const uint32_t* frame = static_cast<const uint32_t*>(__builtin_frame_address(0));
    ctx.Eip = reinterpret_cast<DWORD>(__builtin_return_address(0));
    ctx.Ebp = frame[0];
    ctx.Esp = reinterpret_cast<DWORD>(frame + 2);
    std::memcpy(r.Context, &ctx, kContextSize);
    r.Address = ctx.Eip;
    CaptureFrames(r, ctx.Ebp);
    CaptureStack(r, ctx.Esp);
  }
  __real___cxa_throw(object, type, destroy);
}
