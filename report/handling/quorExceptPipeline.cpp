#include "report/handling/quorExceptPipeline.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "report/disasm/quorAddressFix.h"
#include "report/disasm/quorMemoryWin.h"
#include "report/handling/quorExceptClass.h"
#include "report/handling/quorExceptModules.h"
#include "report/handling/quorExceptObject.h"
#include "report/handling/quorExceptionHistory.h"
#include "report/handling/quorHandlingRequest.h"
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

namespace quor {

namespace {

HANDLE g_pipeRead = nullptr, g_pipeWrite = nullptr, g_handlerThread = nullptr;
DWORD g_handlerThreadId = 0;
TExceptionHistory g_history{};
const char kAutoActionKey = 0;

// What a request points to besides its fixed fields; the handler thread owns
// and frees it.
struct TRequestData {
  const std::type_info* Type = nullptr;
  bool HasContext = false;
  uint8_t Context[kContextSize] = {};
  std::vector<uint32_t> Frames;
  uint32_t StackAt = 0;
  std::vector<uint8_t> Stack;
};

uint64_t NowSeconds() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return ((uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000000;
}

// Acts once, when the report is complete: the clipboard copy (sending comes
// with the delivery).
void AutoActionCallback(bool complete, const std::string& text, TIQuorException& e) {
  if (!complete || !e.ClaimAutoAction()) return;
  if (e.AutoClip()) (void)CopyToClipboard(text);
}

void Present(TIQuorException& e) {
  std::string text = e.TextValue(e.Params().Kind == kKindFreeze ? "FrozenMsg" : "ExceptMsg");
  if (e.Params().Kind != kKindFreeze) text += "\r\n\r\n" + ShownExceptionMessage(e.ExceptionMessage());
  MessageBoxA(nullptr, text.c_str(), e.TextValue("TitleBar").c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST | MB_TASKMODAL);
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

void RunPipeline(const THandlingRequest& r, std::unique_ptr<TRequestData> data) {
  ClearTempFolder();
  const uint32_t address = CorrectedAddress(r.ExceptAddress);
  TExceptionParams p;
  p.Kind = r.Kind;
  p.Object = reinterpret_cast<const void*>(r.ExceptObject);
  p.Type = data->Type;
  p.Address = address;
  p.ThreadId = r.ThreadId;
  p.StackPointer = r.StackPointer;
  p.FramePointer = r.FramePointer;
  p.HasContext = data->HasContext;
  std::memcpy(p.Context, data->Context, kContextSize);
  p.Source = r.Source;
  p.Sender = reinterpret_cast<const void*>(r.Sender);
  p.CanContinue = r.CanContinue;
  p.RaiseFrames = data->Frames;
  p.RaiseStackAt = data->StackAt;
  p.RaiseStack = std::move(data->Stack);
  p.ForceListThreads = r.Source == kSourceExplicit;
  const TExceptionRef e(new TIQuorException(ProcessSettingsHost(), SettingsForAddress(address), std::move(p)));
  RecordException(g_history, NowSeconds());
  // Pausing is for the program's threads: only the executable's copy of the
  // library does it, and not for a freeze (the main thread hangs anyway).
  TPauseScope pause;
  if (r.Kind != kKindFreeze && e->PauseThreads() && ReporterModule() == uintptr_t(GetModuleHandleA(nullptr))) {
    PauseThreads(r.ThreadId);
    pause.Paused = true;
  }
  // In the reporting thread (no event) a new thread could not start while
  // the loader lock is held, so the report is built right here.
  e->StartReport(r.Source == kSourceExplicit || !r.Event);
  if (e->AutoSave() || e->AutoSend() || e->AutoClip()) e->RegisterCallback(&kAutoActionKey, AutoActionCallback, true);
  // A state report is a text for whoever asked for it (the program or an
  // outside tool): no box waits for a person.
  const bool shown = r.Source != kSourceExplicit && e->Presentation() != kPresentNothing;
  if (shown) Present(*e);
  if (!(e->CanContinue() && shown)) {
    const uint64_t now = NowSeconds();
    const bool restart = AutoActionDue(e->AutoRestart(), g_history, now);
    if (AutoActionDue(e->AutoClose(), g_history, now) || (!e->CanContinue() && !restart)) {
      FinishAutoActions(*e, true);
      CloseProcess();
    }
    if (restart) {
      FinishAutoActions(*e, true);
      RestartProcess(g_history);
    }
  }
  FinishAutoActions(*e, false);
  ResetFreezeCounter();
  if (r.BugReportOut) *reinterpret_cast<std::string*>(r.BugReportOut) = e->BugReport(true);
}

void HandleRequest(const THandlingRequest& r) {
  std::unique_ptr<TRequestData> data(reinterpret_cast<TRequestData*>(r.PreparedStack));
  try {
    RunPipeline(r, std::move(data));
  } catch (...) {
    // A failure inside the pipeline never reaches the program.
  }
  if (r.Event) SetEvent(reinterpret_cast<HANDLE>(r.Event));
  PostThreadMessageA(r.ThreadId, WM_NULL, 0, 0);
}

DWORD WINAPI HandlerThread(void*) {
  SetThreadName(GetCurrentThreadId(), kLibraryThreadName);
  THandlingRequestBytes bytes;
  DWORD read = 0;
  while (ReadFile(g_pipeRead, bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size()) {
    const THandlingRequest r = UnpackHandlingRequest(bytes);
    if (r.Event == 0 && r.ThreadId == 0) break;
    HandleRequest(r);
  }
  return 0;
}

// The main thread dispatches its messages until the event is set; a quit
// message is posted again and ends the wait.
void WaitPumping(HANDLE event) {
  while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

}  // namespace

uint32_t HandlerThreadId() { return g_handlerThreadId; }

void TakeOverPredecessorHistory() { TakeOverRestartHistory(g_history); }

TExceptionHistory ExceptionHistory() { return g_history; }

void HandleException(const THandleArgs& a) {
  if (GetCurrentThreadId() == g_handlerThreadId) return;
  ReleaseEmergencyReserve();
  const struct TakeAgain {
    ~TakeAgain() { TakeEmergencyReserve(); }
  } takeAgain;
  auto data = std::make_unique<TRequestData>();
  THandlingRequest r;
  r.ThreadId = GetCurrentThreadId();
  r.Kind = a.Kind;
  const void* object = a.Object;
  data->Type = a.Type;
  r.ExceptAddress = a.Address;
  TRaiseRecord& raise = ThreadRaiseRecord();
  if (a.Kind == kKindException) {
    if (!object && raise.Object) object = raise.Object, data->Type = raise.Type;
    const bool sameRaise = object && object == raise.Object;
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
    const TExceptDescription d = DescribeException(object, data->Type);
    if (d.InheritsFrom("EAbort")) {
      ClearRaiseRecord();
      if (!a.CanContinue) CloseProcess();
      return;
    }
  }
  r.ExceptObject = reinterpret_cast<uint32_t>(object);
  r.CanContinue = a.CanContinue;
  r.StackPointer = a.StackPointer ? a.StackPointer : reinterpret_cast<uint32_t>(__builtin_frame_address(0)) + 8;
  r.FramePointer = a.FramePointer ? a.FramePointer : *static_cast<uint32_t*>(__builtin_frame_address(0));
  if (data->HasContext) {
    const CONTEXT* c = reinterpret_cast<const CONTEXT*>(data->Context);
    if (r.ExceptAddress >= c->Eip && r.ExceptAddress <= c->Eip + 4) r.StackPointer = c->Esp, r.FramePointer = c->Ebp;
  }
  r.Context = data->HasContext ? 1 : 0;
  r.BugReportOut = reinterpret_cast<uint32_t>(a.ReportOut);
  r.Source = a.Source;
  r.Sender = reinterpret_cast<uint32_t>(a.Sender);
  r.PreparedStack = reinterpret_cast<uint32_t>(data.release());

  // Without a handler thread, or while the loader lock or the process
  // environment lock is held (by this thread, or by another one for 250 ms),
  // the pipeline runs here: the handler thread would wait for the lock.
  if (!g_pipeWrite || ProcessLockHeldHere() || ProcessBlocked(250)) {
    HandleRequest(r);
    ClearRaiseRecord();
    return;
  }
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  r.Event = reinterpret_cast<uint32_t>(event);
  SuspendFreezeCheck(true);
  const THandlingRequestBytes bytes = PackHandlingRequest(r);
  DWORD written = 0;
  if (!event || !WriteFile(g_pipeWrite, bytes.data(), DWORD(bytes.size()), &written, nullptr)) {
    r.Event = 0;
    HandleRequest(r);
  } else if (GetCurrentThreadId() == MainThreadId()) {
    WaitPumping(event);
  } else {
    WaitForSingleObject(event, INFINITE);
  }
  SuspendFreezeCheck(false);
  if (event) CloseHandle(event);
  ClearRaiseRecord();
}

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
  const THandlingRequestBytes stop = PackHandlingRequest(THandlingRequest{});
  DWORD written = 0;
  WriteFile(g_pipeWrite, stop.data(), DWORD(stop.size()), &written, nullptr);
  CloseHandle(g_pipeWrite);
  if (WaitForSingleObject(g_handlerThread, 500) != WAIT_OBJECT_0) TerminateThread(g_handlerThread, 0);
  CloseHandle(g_handlerThread);
  CloseHandle(g_pipeRead);
  g_handlerThread = g_pipeRead = g_pipeWrite = nullptr;
  g_handlerThreadId = 0;
}

}  // namespace quor
