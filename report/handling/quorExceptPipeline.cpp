#include "report/handling/quorExceptPipeline.h"

#include <windows.h>

#include <atomic>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "base/Address.h"
#include "base/WinHandle.h"
#include "report/disasm/quorAddressFix.h"
#include "report/disasm/quorMemoryWin.h"
#include "report/box/quorPresentException.h"
#include "report/handling/quorBoxAdapter.h"
#include "report/storage/quorExceptSend.h"
#include "report/handling/quorExceptClass.h"
#include "report/handling/quorExceptModules.h"
#include "report/handling/quorExceptObject.h"
#include "report/handling/quorExceptionHistory.h"
#include "report/handling/quorHandlingRequest.h"
#include "report/handling/quorHandlingThreads.h"
#include "report/intercept/quorEmergencyReserve.h"
#include "report/intercept/quorExceptRaise.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorFreezeWatchdog.h"
#include "report/intercept/quorPauseThreads.h"
#include "report/intercept/quorProcessBlocked.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/storage/quorAutoActions.h"
#include "report/storage/quorBugRepStore.h"
#include "report/storage/quorTempFolder.h"
#include "report/symbols/quorSymbolCache.h"
#include "report/text/quorInternalErrors.h"

namespace quor {

namespace {

HANDLE g_pipeRead = nullptr, g_pipeWrite = nullptr, g_handlerThread = nullptr;
DWORD g_handlerThreadId = 0;
TExceptionHistory g_history{};
const char kAutoActionKey = 0;
// Set when the program ends: the handler finishes the requests it has (their
// reports are stored) without restarting or closing the process, and its
// box closes.
std::atomic<bool> g_ending{false};
// Long enough for the handler to build and store the reports it has when
// the program ends; a handler stuck longer is ended by force.
constexpr DWORD kHandlerStopMs = 30000;
// A copy of the reporter in a library that is unloaded stops its handler
// under the loader lock, where no thread can end: a short wait then.
constexpr DWORD kHandlerStopUnderLoaderLockMs = 500;
constexpr DWORD kHandlerStopPollMs = 100;

// Where the handler thread goes back to when a fault that nothing handles
// hits it in the middle of a request (in code of another module, which no
// exception can unwind): the request ends, the thread goes on.
jmp_buf g_recovery;
bool g_recoveryArmed = false;

// What a request carries besides its fixed fields, shared by the reporting
// thread and the handler thread: whichever lets go of it last frees it, so
// a reporting thread that stops waiting (the main thread at a quit message)
// leaves the handler nothing closed or freed. Everything is a copy taken in
// the reporting thread while the exception object was alive.
struct TRequestData {
  const std::type_info* Type = nullptr;
  TExceptDescription Description;
  bool HasContext = false;
  uint8_t Context[kContextSize] = {};
  std::vector<uint32_t> Frames;
  uint32_t StackAt = 0;
  std::vector<uint8_t> Stack;
  base::KernelHandle Event;  // set when handled
  std::string Report;        // the complete report, when the reporting thread asked for it
};
using TSharedRequest = std::shared_ptr<TRequestData>;

uint64_t NowSeconds() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return ((uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000000;
}

// Acts once, when the report is complete: a silent send in the background,
// then the clipboard copy.
void AutoActionCallback(bool complete, const std::string& text, TIQuorException& e) {
  if (!complete || !e.ClaimAutoAction()) return;
  if (e.AutoSend()) (void)SendExceptionReport(e, nullptr, true, true);
  if (e.AutoClip()) (void)CopyToClipboard(text);
}

// The exception box (or the assistant) in the handler thread; its restart
// and close buttons end the process from there.
void Present(TIQuorException& e) {
  TBoxAdapter box(e, g_history, NowSeconds());
  PresentException(box);
}

// An address 4 bytes short of an instruction start of a function the
// module's symbols know is moved onto that instruction.
uint32_t CorrectedAddress(uint32_t address) {
  TAddressSymbols symbols;
  if (!address || !LookupAddress(address, symbols) || !symbols.FunctionStart) return address;
  TMemorySnapshot memory;
  return TakeProcessSnapshot(memory) ? FixedExceptionAddress(address, symbols.FunctionStart, memory) : address;
}

// Resumes the paused threads when the pipeline ends, however it ends.
struct TPauseScope {
  bool Paused = false;
  ~TPauseScope() {
    if (Paused) ResumeThreads();
  }
};

void RunPipeline(const THandlingRequest& r, TRequestData& data) {
  ClearTempFolder();
  const uint32_t address = CorrectedAddress(r.ExceptAddress);
  TExceptionParams p;
  p.Kind = r.Kind;
  p.Object = reinterpret_cast<const void*>(r.ExceptObject);
  p.Type = data.Type;
  p.Description = data.Description;
  p.Address = address;
  p.ThreadId = r.ThreadId;
  p.StackPointer = r.StackPointer;
  p.FramePointer = r.FramePointer;
  p.HasContext = data.HasContext;
  std::memcpy(p.Context, data.Context, kContextSize);
  p.Source = r.Source;
  p.Sender = reinterpret_cast<const void*>(r.Sender);
  p.CanContinue = r.CanContinue;
  p.RaiseFrames = data.Frames;
  p.RaiseStackAt = data.StackAt;
  p.RaiseStack = std::move(data.Stack);
  // A state report is a text for whoever asked for it (the program or an
  // outside tool): it lists every thread, no box waits for a person, it is
  // never acted on and is no exception for the history.
  const bool stateReport = r.Source == kSourceExplicit;
  p.ForceListThreads = stateReport;
  const TExceptionRef e(new TIQuorException(ProcessSettingsHost(), SettingsForAddress(address), std::move(p)));
  if (seams::exceptionCreated) seams::exceptionCreated(*e);
  if (!stateReport) RecordException(g_history, NowSeconds());
  // Pausing is for the program's threads: only the executable's copy of the
  // library does it, and not for a freeze (the main thread hangs anyway).
  TPauseScope pause;
  if (r.Kind != kKindFreeze && e->PauseThreads() && ReporterModule() == uintptr_t(GetModuleHandleA(nullptr))) {
    PauseThreads(r.ThreadId);
    pause.Paused = true;
  }
  if (e->ScreenshotState().Creates()) (void)e->Screenshot();
  // In the reporting thread (no event) a new thread could not start while
  // the loader lock is held, so the report is built right here.
  e->StartReport(stateReport || !r.Event);
  if (e->AutoSave() || e->AutoSend() || e->AutoClip()) e->RegisterCallback(&kAutoActionKey, AutoActionCallback, true);
  const bool shown = !stateReport && e->Presentation() != kPresentNothing;
  if (shown) Present(*e);
  // When the program is ending it ends the ordinary way, whatever the
  // settings say about closing or restarting.
  if (!stateReport && !g_ending && !(e->CanContinue() && shown)) {
    const uint64_t now = NowSeconds();
    const bool restart = AutoActionDue(e->AutoRestart(), g_history, now);
    if (AutoActionDue(e->AutoClose(), g_history, now) || (!e->CanContinue() && !restart)) {
      FinishAutoActions(*e, true);
      CloseProcess();
    }
    if (restart) {
      // The successor is started before the report is stored, so that a
      // failure to start it is in the report; the program then goes on.
      const TSuccessor successor = StartSuccessor(g_history);
      if (successor.Error)
        (void)e->HeaderFields()->Add("restart",
                                     "failed (error " + std::to_string(successor.Error) + "), the application goes on");
      FinishAutoActions(*e, true);
      if (!successor.Error) HandOverToSuccessor(successor);
    }
  }
  FinishAutoActions(*e, false);
  ResetFreezeCounter();
  if (r.BugReportOut) data.Report = e->BugReport(true);
}

// The request's shared data, taken over from the pipe's record.
TSharedRequest TakeRequestData(const THandlingRequest& r) {
  const std::unique_ptr<TSharedRequest> held(reinterpret_cast<TSharedRequest*>(r.PreparedStack));
  return held ? *held : std::make_shared<TRequestData>();
}

// Tells the reporting thread that its request is handled (the event is the
// request data's, alive while the handler holds that).
void Answer(const THandlingRequest& r) {
  if (r.Event) SetEvent(reinterpret_cast<HANDLE>(r.Event));
  PostThreadMessageA(r.ThreadId, WM_NULL, 0, 0);
}

void HandleRequest(const THandlingRequest& r) {
  const TSharedRequest data = TakeRequestData(r);
  try {
    RunPipeline(r, *data);
  } catch (...) {
    // A failure inside the pipeline never reaches the program.
    RecordCaughtInternalError("HandleException");
  }
  Answer(r);
}

[[noreturn]] void BackToRecoveryPoint() { longjmp(g_recovery, 1); }

// One request on the handler thread. After a fault that jumped back here the
// paused threads go on and the request is answered as it is; its data stays
// with the abandoned pipeline (so its event stays open).
void HandleOnHandlerThread(const THandlingRequest& r) {
  if (setjmp(g_recovery) == 0) {
    g_recoveryArmed = true;
    HandleRequest(r);
  } else {
    g_recoveryArmed = false;  // a fault from here on is not caught again
    ResumeThreads();
    ResetFreezeCounter();
    Answer(r);
  }
  g_recoveryArmed = false;
}

DWORD WINAPI HandlerThread(void*) {
  MarkHandlingThread();
  SetThreadName(GetCurrentThreadId(), kLibraryThreadName);
  THandlingRequestBytes bytes;
  DWORD read = 0;
  while (ReadFile(g_pipeRead, bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size()) {
    const THandlingRequest r = UnpackHandlingRequest(bytes);
    if (r.Event == 0 && r.ThreadId == 0) break;
    HandleOnHandlerThread(r);
  }
  return 0;
}

// The main thread dispatches its messages until the event is set. A quit
// message is posted again; with `stopAtQuit` it ends the wait (false: not
// handled yet), else it waits until the wait is over. An exception that
// cannot continue ends the program right after the handling, so its report
// is waited for.
bool WaitPumping(HANDLE event, bool stopAtQuit) {
  bool quit = false;
  int exitCode = 0;
  while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true, exitCode = int(msg.wParam);
        if (stopAtQuit) break;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (quit && stopAtQuit) break;
  }
  if (quit) PostQuitMessage(exitCode);
  return !(quit && stopAtQuit);
}

BOOL CALLBACK PostClose(HWND window, LPARAM) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Waits until the handler thread has ended, answering what it sends to this
// thread's windows and closing the handler's own windows (its box) meanwhile.
bool WaitForHandlerEnd() {
  const DWORD bound = ProcessLockHeldHere() ? kHandlerStopUnderLoaderLockMs : kHandlerStopMs;
  for (DWORD waited = 0; waited < bound; waited += kHandlerStopPollMs) {
    EnumThreadWindows(g_handlerThreadId, &PostClose, 0);
    const DWORD result = MsgWaitForMultipleObjects(1, &g_handlerThread, FALSE, kHandlerStopPollMs, QS_SENDMESSAGE);
    if (result == WAIT_OBJECT_0) return true;
    MSG msg;
    if (result == WAIT_OBJECT_0 + 1) PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
  return false;
}

}  // namespace

uint32_t HandlerThreadId() { return g_handlerThreadId; }

void TakeOverPredecessorHistory() { TakeOverRestartHistory(g_history); }

TExceptionHistory ExceptionHistory() { return g_history; }

bool RecoverHandlerThread(void* context) {
  if (GetCurrentThreadId() != g_handlerThreadId || !g_recoveryArmed) return false;
  // Continue as if the faulting code had called BackToRecoveryPoint, a
  // little below its stack pointer.
  auto* c = static_cast<CONTEXT*>(context);
  c->Esp = (c->Esp - 64) & ~DWORD(15);
  c->Eip = base::AddressOf(&BackToRecoveryPoint);
  return true;
}

void HandleException(const THandleArgs& a) {
  if (IsHandlingThread()) {
    RecordInternalFailure();
    return;
  }
  ReleaseEmergencyReserve();
  const struct TakeAgain {
    ~TakeAgain() { TakeEmergencyReserve(); }
  } takeAgain;
  const TSharedRequest data = std::make_shared<TRequestData>();
  THandlingRequest r;
  r.ThreadId = GetCurrentThreadId();
  r.Kind = a.Kind;
  const void* object = a.Object;
  data->Type = a.Type;
  r.ExceptAddress = a.Address;
  TRaiseRecord& raise = ThreadRaiseRecord();
  if (a.Kind == kKindException) {
    // The raise record belongs to this object only when it was its last
    // throw; an object that came back through std::rethrow_exception was
    // thrown elsewhere, and an older record may name a destroyed object.
    const bool sameRaise = object && object == raise.Object && a.Type == raise.Type;
    if (!r.ExceptAddress && sameRaise) r.ExceptAddress = raise.Address;
    if (a.Context) {
      std::memcpy(data->Context, a.Context, kContextSize);
      data->HasContext = true;
    } else if (sameRaise) {
      std::memcpy(data->Context, raise.Context, kContextSize);
      data->HasContext = true;
    }
    if (sameRaise) {
      data->Frames.assign(raise.Frames, raise.Frames + raise.FrameCount);
      data->StackAt = raise.StackAt;
      if (raise.Stack) data->Stack.assign(raise.Stack, raise.Stack + raise.StackSize);
    }
    data->Description = DescribeException(object, data->Type);
    if (data->Description.InheritsFrom("EAbort")) {
      ClearRaiseRecord();
      if (!a.CanContinue) CloseProcess();
      return;
    }
  }
  r.ExceptObject = base::AddressOf(object);
  r.CanContinue = a.CanContinue;
  r.StackPointer = a.StackPointer ? a.StackPointer : base::AddressOf(__builtin_frame_address(0)) + 8;
  r.FramePointer = a.FramePointer ? a.FramePointer : *static_cast<uint32_t*>(__builtin_frame_address(0));
  if (data->HasContext) {
    const CONTEXT* c = reinterpret_cast<const CONTEXT*>(data->Context);
    if (r.ExceptAddress >= c->Eip && r.ExceptAddress <= c->Eip + 4) r.StackPointer = c->Esp, r.FramePointer = c->Ebp;
  }
  r.Context = data->HasContext ? 1 : 0;
  r.BugReportOut = a.ReportOut ? base::AddressOf(&data->Report) : 0;
  r.Source = a.Source;
  r.Sender = base::AddressOf(a.Sender);
  r.PreparedStack = base::AddressOf(new TSharedRequest(data));

  // Without a handler thread, or while the loader lock or the process
  // environment lock is held (by this thread, or by another one for 250 ms),
  // the pipeline runs here: the handler thread would wait for the lock.
  bool handled = true;
  if (!g_pipeWrite || ProcessLockHeldHere() || ProcessBlocked(250)) {
    HandleRequest(r);
  } else {
    data->Event.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    r.Event = base::AddressOf(data->Event.get());
    SuspendFreezeCheck(true);
    const THandlingRequestBytes bytes = PackHandlingRequest(r);
    DWORD written = 0;
    if (!data->Event || !WriteFile(g_pipeWrite, bytes.data(), DWORD(bytes.size()), &written, nullptr)) {
      r.Event = 0;
      HandleRequest(r);
    } else if (GetCurrentThreadId() == MainThreadId()) {
      handled = WaitPumping(data->Event.get(), a.CanContinue);
      // The program is closing while the handler still has this report: it
      // is finished at the program's end, before the destructors of what
      // exists by now (atexit calls the latest registration first).
      static std::once_flag finishAtExit;
      if (!handled) std::call_once(finishAtExit, [] { std::atexit(&StopHandlerThread); });
    } else {
      WaitForSingleObject(data->Event.get(), INFINITE);
    }
    SuspendFreezeCheck(false);
  }
  // The report is read only once the handler has finished with it.
  if (handled && a.ReportOut) *a.ReportOut = data->Report;
  ClearRaiseRecord();
}

// The pipe and the handler thread live from start-up to shutdown: plain
// handles, closed by StopHandlerThread (an owner would close them at static
// destruction, while copies of the reporter may still report).
bool StartHandlerThread() {
  if (!CreatePipe(&g_pipeRead, &g_pipeWrite, nullptr, 0)) return false;
  g_handlerThread = CreateThread(nullptr, 0, &HandlerThread, nullptr, 0, &g_handlerThreadId);
  if (!g_handlerThread) {
    CloseHandle(g_pipeRead);
    CloseHandle(g_pipeWrite);
    g_pipeRead = g_pipeWrite = nullptr;
    return false;
  }
  SetThreadPriority(g_handlerThread, THREAD_PRIORITY_HIGHEST);
  return true;
}

void StopHandlerThread() {
  if (!g_handlerThread) return;
  g_ending = true;
  SuspendFreezeCheck(true);  // the wait is no freeze
  // Reports from now on are handled in their own threads.
  const HANDLE write = g_pipeWrite;
  g_pipeWrite = nullptr;
  const THandlingRequestBytes stop = PackHandlingRequest(THandlingRequest{});
  DWORD written = 0;
  WriteFile(write, stop.data(), DWORD(stop.size()), &written, nullptr);
  CloseHandle(write);
  // The handler may hold the heap's lock or a table's at any moment, so it
  // is ended by force only when it does not finish in time.
  if (!WaitForHandlerEnd()) TerminateThread(g_handlerThread, 0);
  SuspendFreezeCheck(false);
  CloseHandle(g_handlerThread);
  CloseHandle(g_pipeRead);
  g_handlerThread = g_pipeRead = nullptr;
  g_handlerThreadId = 0;
}

}  // namespace quor
