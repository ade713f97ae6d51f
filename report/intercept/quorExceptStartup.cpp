// Start-up and shutdown of the exception handling. The reporter's objects are
// constructed before every other part of the program (constructor priority
// 101), so its interception points are in place before anything can fail.
#include <windows.h>

#include <csignal>
#include <cstdlib>
#include <exception>

#include "base/Address.h"
#include "report/box/quorPresentException.h"
#include "report/handling/quorBoxAdapter.h"
#include "report/handling/quorExceptClass.h"
#include "report/handling/quorExceptModules.h"
#include "report/handling/quorExceptPipeline.h"
#include "report/lists/quorTools.h"
#include "report/intercept/quorCalibration.h"
#include "report/intercept/quorCodePatch.h"
#include "report/intercept/quorEmergencyReserve.h"
#include "report/intercept/quorExceptIntegrity.h"
#include "report/intercept/quorExceptRaise.h"
#include "report/intercept/quorExceptThreadHooks.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorFreezeWatchdog.h"
#include "report/intercept/quorMessageWindow.h"
#include "report/intercept/quorPauseThreads.h"
#include "report/lists/quorListsWin.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/stacktrace/quorMapStackSymbols.h"
#include "report/stacktrace/quorStackTraceWin.h"
#include "report/storage/quorActionHook.h"
#include "report/storage/quorExceptAssistant.h"
#include "report/storage/quorTempFolder.h"
#include "report/symbols/quorSymbolCache.h"
#include "toolkit/Seams.h"
#include "toolkit/SysExceptions.h"

namespace quor {

namespace {

std::terminate_handler g_previousTerminate = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
void (*g_previousAbortSignal)(int) = SIG_DFL;
_invalid_parameter_handler g_previousInvalidParameter = nullptr;
_purecall_handler g_previousPureCall = nullptr;
bool g_installed = false;

// The exit code of a process ended by a run-time error, as the runtime's
// own abort ends it.
constexpr UINT kRunErrorExitCode = 3;

// A run-time error at program end carries no exception of the program; the
// report gets one that names the error.
class ERunError : public tk::Exception {
public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "ERunError"; }
};

// The tracer names functions and lines from the symbol store.
std::shared_ptr<const IStackSymbols> ModuleStackSymbols(uint32_t moduleHandle) {
  return StackSymbolsOf(SymbolsForAddress(moduleHandle));
}

// Hands the exception a source handler was given to the pipeline.
bool Report(const void* sender, const std::exception_ptr& error, TExceptionSource source) {
  THandleArgs a;
  a.Object = ThrownObject(error);
  a.Type = ThrownType(error);
  a.Sender = sender;
  a.Source = source;
  HandleException(a);
  return true;
}

bool ApplicationHandleException(const void* sender, const char*, std::exception_ptr error) {
  if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
  return Report(sender, error, kSourceAppHandle);
}

bool ApplicationShowException(const void* sender, const char*, std::exception_ptr error) {
  return Report(sender, error, kSourceAppShow);
}

// An exception escaped the Execute of a toolkit thread object.
bool ThreadObjectException(const void* sender, const char*, std::exception_ptr error) {
  return Report(sender, error, kSourceThreadObject);
}

// An exception escaped a method that a thread ran in the main thread. The
// silent abort goes back to the thread unchanged.
bool SynchronizeException(const void* sender, const char*, std::exception_ptr error) {
  THandleArgs a;
  a.Object = ThrownObject(error);
  a.Type = ThrownType(error);
  if (DescribeException(a.Object, a.Type).InheritsFrom("EAbort")) return false;
  a.Sender = sender;
  a.Source = kSourceSynchronize;
  HandleException(a);
  return true;
}

// A run-time error at program end: reported (the program cannot go on, so
// the report is stored before the process ends), then the process ends.
[[noreturn]] void ReportRunError(const char* message, uint32_t address) {
  const ERunError error(message);
  THandleArgs a;
  a.Object = &error, a.Type = &typeid(error);
  a.Address = address;
  a.Source = kSourceRunError;
  a.CanContinue = false;
  HandleException(a);
  ExitProcess(kRunErrorExitCode);
}

uint32_t CallerAddress(void* returnAddress) { return base::AddressOf(returnAddress); }

// abort(): a failed assertion, or the program's own call.
void AbortSignal(int) { ReportRunError("Abnormal program termination", 0); }

// A function of the C runtime was given a parameter it refuses.
void __cdecl InvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t) {
  ReportRunError("Invalid parameter passed to a C runtime function", CallerAddress(__builtin_return_address(0)));
}

// A pure virtual function was called (code built to the platform's calling
// convention calls the runtime's handler; the C++ library's entry is below).
void __cdecl PureCall() { ReportRunError("Pure virtual function call", CallerAddress(__builtin_return_address(0))); }

// An exception that no handler caught. In the main thread the program cannot
// go on; a secondary thread is reported and ends, and the process goes on.
// Without an exception, the C++ library ends the program (std::terminate
// called by the program or after a library error): a run-time error.
[[noreturn]] void Terminate() {
  const bool main = GetCurrentThreadId() == MainThreadId();
  const std::exception_ptr error = std::current_exception();
  if (!error) ReportRunError("Abnormal program termination", CallerAddress(__builtin_return_address(0)));
  THandleArgs a;
  a.Object = ThrownObject(error);
  a.Type = ThrownType(error);
  a.Source = main ? kSourceUnhandled : kSourceThread;
  a.CanContinue = !main;
  HandleException(a);
  if (main) ExitProcess(1);
  RemoveThreadRecord(GetCurrentThreadId());
  ExitThread(0);
}

// A platform exception that no handler took (a fault outside our own code).
LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* info) {
  const bool main = GetCurrentThreadId() == MainThreadId();
  const EXCEPTION_RECORD* rec = info->ExceptionRecord;
  const uint32_t address = base::AddressOf(rec->ExceptionAddress);
  THandleArgs a;
  a.Address = address;
  a.Context = info->ContextRecord;
  a.CanContinue = !main;
  a.Source = kSourceUnhandled;
  try {
    if (rec->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) {
      const tk::EAccessViolation object(
          AccessViolationMessage(address, rec->ExceptionInformation[0] != 0, rec->ExceptionInformation[1]));
      a.Object = &object, a.Type = &typeid(object);
      HandleException(a);
    } else {
      char text[64];
      wsprintfA(text, "External exception %08X", static_cast<unsigned>(rec->ExceptionCode));
      const tk::EExternalException object(text);
      a.Object = &object, a.Type = &typeid(object);
      HandleException(a);
    }
  } catch (...) {
    a.Source = kSourcePlatform;  // no exception object could be made
    a.Object = nullptr, a.Type = nullptr;
    HandleException(a);
  }
  // The handler thread never ends on a fault: it gives up the request and
  // goes on with the next one.
  if (RecoverHandlerThread(info->ContextRecord)) return EXCEPTION_CONTINUE_EXECUTION;
  if (main) ExitProcess(1);
  RemoveThreadRecord(GetCurrentThreadId());
  ExitThread(0);
}

void Startup() {
  TakeOverPredecessorHistory();
  ClearTempFolder();
  RecordProgramStart();
  RegisterListPlugins();
  SetAssistantRunner(&RunExceptionAssistant);
  // Every box of this runtime is shown for a TBoxAdapter (the pipeline's Present).
  SetBoxAssistantRunner([](IBoxException& box) {
    return RunPresentationAssistant(static_cast<TBoxAdapter&>(box).Exception());
  });
  // The main settings stay referenced until shutdown.
  const QuorPtr<IQuorModuleSettings> settings = SettingsForModule(ReporterModule());
  SetMainSettings(settings);
  if (settings->Valid() && settings->Enabled() && settings->CheckFileCrc()) {
    CheckModuleIntegrity(ReporterModule(), *settings);
    if (settings->Module() != ReporterModule()) CheckModuleIntegrity(settings->Module(), *settings);
  }
  // The recorded layout is restored whether or not the reporter is configured.
  (void)CalibrateModules();
  if (!settings->Valid()) {
    SetMainThreadId(GetCurrentThreadId());
    SetMainSettings(nullptr);
    return;
  }
  AttachThreadList();
  if (!settings->Enabled()) return;
  InstallSymbolHooks();
  SetStackSymbolsProvider(&ModuleStackSymbols);
  (void)InstallFaultConversion();
  tk::seams::applicationHandleException = &ApplicationHandleException;
  tk::seams::applicationShowException = &ApplicationShowException;
  tk::seams::threadException = &ThreadObjectException;
  tk::seams::synchronizeException = &SynchronizeException;
  g_previousTerminate = std::set_terminate(&Terminate);
  g_previousFilter = SetUnhandledExceptionFilter(&UnhandledFilter);
  g_previousAbortSignal = std::signal(SIGABRT, &AbortSignal);
  g_previousInvalidParameter = _set_invalid_parameter_handler(&InvalidParameter);
  g_previousPureCall = _set_purecall_handler(&PureCall);
  (void)StartHandlerThread();
  (void)HookThreadCreation();
  if (CreateMessageWindow()) {
    (void)RegisterPauseGate();
    if (settings->CheckFreeze()) (void)StartFreezeWatchdog(settings->FreezeTimeout());
  }
  TakeEmergencyReserve();
  g_installed = true;
}

void Shutdown() {
  if (!g_installed) {
    DetachThreadList();
    SetMainSettings(nullptr);
    return;
  }
  g_installed = false;
  SetUnhandledExceptionFilter(g_previousFilter);
  std::set_terminate(g_previousTerminate);
  (void)std::signal(SIGABRT, g_previousAbortSignal == SIG_ERR ? SIG_DFL : g_previousAbortSignal);
  (void)_set_invalid_parameter_handler(g_previousInvalidParameter);
  (void)_set_purecall_handler(g_previousPureCall);
  tk::seams::applicationHandleException = nullptr;
  tk::seams::applicationShowException = nullptr;
  tk::seams::threadException = nullptr;
  tk::seams::synchronizeException = nullptr;
  // The handler finishes its requests while the watchdog, the patches and
  // the message window it may use are still there (the watchdog would take
  // the wait for a freeze).
  StopFreezeWatchdog();
  StopHandlerThread();
  UndoPatches();
  DestroyMessageWindow();
  SetStackSymbolsProvider(nullptr);
  ClearSymbolCache();
  UnregisterPauseGate();
  RemoveFaultConversion();
  DetachThreadList();
  ReleaseEmergencyReserve();
  SetMainSettings(nullptr);
}

struct TExceptInit {
  TExceptInit() { Startup(); }
  ~TExceptInit() { Shutdown(); }
};

__attribute__((init_priority(101))) TExceptInit g_exceptInit;

}  // namespace

}  // namespace quor

// Every vtable slot of a pure virtual function points here (the program is
// linked with --wrap=__cxa_pure_virtual).
extern "C" [[noreturn]] void __wrap___cxa_pure_virtual() {
  quor::ReportRunError("Pure virtual function call", quor::CallerAddress(__builtin_return_address(0)));
}
