// The exception handling in a program built like the product: the reporter
// starts before everything else, takes over the toolkit's seams, turns
// hardware faults into exceptions and writes every report into the bug
// report file. The test's settings resource shows no box (kPresentNothing).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>
#include <vector>

#include "report/handling/quorExceptObject.h"
#include "report/handling/quorExceptPipeline.h"
#include "report/handling/quorHandlingThreads.h"
#include "report/handling/quorStateReport.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/settings/quorSettingsObject.h"
#include "report/settings/quorSettingsResource.h"
#include "report/storage/quorBugRepFile.h"
#include "report/text/quorInternalErrors.h"
#include "toolkit/Seams.h"
#include "toolkit/SysExceptions.h"
#include "toolkit/Threads.h"

namespace {

std::string g_file;

class ExceptTest : public ::testing::Test {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    g_file = std::string(folder) + "quorExcept_test\\bugreport.log";
    DeleteFileA(g_file.c_str());
    ASSERT_TRUE(quor::MainSettings());
    ASSERT_TRUE(quor::MainSettings()->SetBugRepFile(g_file));
  }
};

std::string FileText() {
  std::ifstream in(g_file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Where the reports of the file start (their first line is "date/time").
std::vector<size_t> ReportStarts(const std::string& text) {
  std::vector<size_t> starts;
  for (size_t at = text.find("date/time"); at != std::string::npos; at = text.find("date/time", at + 1))
    if (at == 0 || text[at - 1] == '\n') starts.push_back(at);
  return starts;
}

std::string LastReport() {
  const std::string text = FileText();
  const auto starts = ReportStarts(text);
  return starts.empty() ? std::string() : text.substr(starts.back());
}

__attribute__((noinline)) void RaiseRange() { throw tk::ERangeError("Range check error"); }

__attribute__((noinline)) int ReadThrough(volatile int* p) { return *p; }

volatile int g_zero = 0;
volatile int g_result = 0;

__attribute__((noinline)) void Divide(int a) { g_result = a / g_zero; }

// What a message handler does with an escaping exception: the application's
// handler, inside the catch block.
template <class Fn>
void AsMessageHandler(Fn fn) {
  try {
    fn();
  } catch (...) {
    ASSERT_TRUE(tk::seams::applicationHandleException);
    tk::seams::applicationHandleException(nullptr, "TButton", std::current_exception());
  }
}

TEST_F(ExceptTest, EscapedExceptionGivesACompleteReportInTheFile) {
  AsMessageHandler([] { RaiseRange(); });
  const std::string report = LastReport();
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception class"), "ERangeError");
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception message"), "Range check error.");
  EXPECT_EQ(quor::ReportHeaderValue(report, "executable"), "quorExcept_test.exe");
  EXPECT_EQ(quor::ReportHeaderValue(report, "callstack crc").size(), 31u);
  EXPECT_EQ(quor::ReportHeaderValue(report, "QuorExcept version"), "3.0e");
  for (const char* name : {"date/time", "computer name", "operating system", "process id", "exception number"})
    EXPECT_FALSE(quor::ReportHeaderValue(report, name).empty()) << name;
  EXPECT_NE(report.find("\r\n\r\nmain thread ($"), std::string::npos);
  EXPECT_NE(report.find("quorExcept_test.exe"), std::string::npos);
  EXPECT_NE(report.find("\r\ncpu registers:\r\neax = "), std::string::npos);
  EXPECT_NE(report.find("\r\nstack dump:\r\n"), std::string::npos);
  EXPECT_EQ(report.find("will be calculated soon"), std::string::npos);
}

TEST_F(ExceptTest, SameFaultTwiceIsFoldedWithCount) {
  for (int i = 0; i < 2; ++i) AsMessageHandler([] { RaiseRange(); });
  const std::string text = FileText();
  EXPECT_EQ(ReportStarts(text).size(), 1u);
  EXPECT_EQ(quor::ReportHeaderValue(text, "count"), "2");
}

TEST_F(ExceptTest, HardwareFaultsBecomeExceptions) {
  try {
    ReadThrough(nullptr);
    FAIL() << "no exception";
  } catch (const tk::EAccessViolation& e) {
    EXPECT_EQ(e.Message().find("Access violation at address "), 0u) << e.Message();
    EXPECT_NE(e.Message().find(" in module 'quorExcept_test.exe'. Read of address 00000000"), std::string::npos)
        << e.Message();
  }
  AsMessageHandler([] { ReadThrough(reinterpret_cast<int*>(16)); });
  std::string report = LastReport();
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception class"), "EAccessViolation");
  EXPECT_NE(quor::ReportHeaderValue(report, "exception message").find("Read of address 00000010."), std::string::npos);

  try {
    Divide(1);
    FAIL() << "no exception";
  } catch (const tk::EZeroDivide& e) {
    EXPECT_EQ(e.Message(), "Division by zero");
  }
  AsMessageHandler([] { Divide(1); });
  report = LastReport();
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception class"), "EZeroDivide");
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception message"), "Division by zero.");
}

TEST_F(ExceptTest, SilentAbortIsNotReported) {
  AsMessageHandler([] { throw tk::EAbort("stop"); });
  EXPECT_EQ(FileText(), "");
}

DWORD WINAPI ThrowingProcedure(void*) { throw tk::EConvertError("'x' is not a valid integer value"); }

// Waits until the bug report file holds a report (a work item has no handle to wait on).
bool WaitForReport() {
  for (int i = 0; i < 500 && LastReport().find("callstack crc") == std::string::npos; ++i) Sleep(10);
  return !LastReport().empty();
}

// Every way the program starts a thread or a work item runs it inside a
// reporting frame: the exception is reported, the thread ends, the process
// goes on.
TEST_F(ExceptTest, ExceptionEscapingASecondaryThreadOrWorkItemIsReported) {
  const struct {
    const char* how;
    void (*start)();
  } cases[] = {
      {"std::thread", [] { std::thread([] { ThrowingProcedure(nullptr); }).join(); }},
      {"CreateThread",
       [] {
         HANDLE t = CreateThread(nullptr, 0, &ThrowingProcedure, nullptr, 0, nullptr);
         ASSERT_TRUE(t);
         WaitForSingleObject(t, INFINITE);
         CloseHandle(t);
       }},
      {"QueueUserWorkItem", [] { ASSERT_TRUE(QueueUserWorkItem(&ThrowingProcedure, nullptr, WT_EXECUTEDEFAULT)); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    DeleteFileA(g_file.c_str());
    c.start();
    ASSERT_TRUE(WaitForReport());
    const std::string report = LastReport();
    EXPECT_EQ(quor::ReportHeaderValue(report, "exception class"), "EConvertError");
    EXPECT_NE(report.find("\r\n\r\nthread $"), std::string::npos);  // the reporting thread first
    EXPECT_NE(report.find("\r\n\r\nmain thread ($"), std::string::npos);
  }
}

DWORD WINAPI RunBody(void* body) {
  reinterpret_cast<void (*)()>(body)();
  return 0;
}

// A thread that caught an exception of its own earlier (its last raise is
// that destroyed object) ends through a future's exception, raised in the
// task's thread and rethrown here: the report names the future's exception.
TEST_F(ExceptTest, ExceptionRethrownFromAFutureIsReportedAsItself) {
  void (*endThroughFuture)() = [] {
    try {
      throw tk::ERangeError("caught long ago");
    } catch (const tk::ERangeError&) {
    }
    std::async(std::launch::async, [] { throw tk::EConvertError("raised by the task"); }).get();
  };
  const struct {
    const char* how;
    void (*run)(void (*body)());
  } cases[] = {
      {"CreateThread",
       [](void (*body)()) {
         HANDLE t = CreateThread(nullptr, 0, &RunBody, reinterpret_cast<void*>(body), 0, nullptr);
         ASSERT_TRUE(t);
         EXPECT_EQ(WaitForSingleObject(t, 30000), WAIT_OBJECT_0);
         CloseHandle(t);
       }},
      {"std::thread", [](void (*body)()) { std::thread(body).join(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    DeleteFileA(g_file.c_str());
    c.run(endThroughFuture);
    ASSERT_TRUE(WaitForReport());
    const std::string report = LastReport();
    EXPECT_EQ(quor::ReportHeaderValue(report, "exception class"), "EConvertError");
    EXPECT_EQ(quor::ReportHeaderValue(report, "exception message"), "raised by the task.");
  }
}

// A thread object whose Execute raises, or whose synchronised method raises.
class TRaisingThread : public tk::TThread {
public:
  explicit TRaisingThread(bool inSynchronize) : inSynchronize_(inSynchronize) {}
  std::atomic<bool> Done{false};
  bool CameBack = false;

protected:
  void Execute() override {
    struct SetOnExit {
      std::atomic<bool>& Flag;
      ~SetOnExit() { Flag = true; }
    } done{Done};
    if (!inSynchronize_) throw tk::EConvertError("raised in Execute");
    Synchronize([] { throw tk::EConvertError("raised in Synchronize"); });
    try {
      Synchronize([] { throw tk::EAbort("quiet"); });
    } catch (const tk::EAbort&) {
      CameBack = true;  // the silent abort goes back to the thread
    }
  }

private:
  bool inSynchronize_;
};

// The main thread keeps its messages flowing, as the program's loop does.
void PumpUntil(const std::atomic<bool>& done) {
  while (!done) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
}

TEST_F(ExceptTest, ThreadObjectExecuteAndSynchronize) {
  const struct {
    bool inSynchronize;
    const char* message;
  } cases[] = {{false, "raised in Execute."}, {true, "raised in Synchronize."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    DeleteFileA(g_file.c_str());
    TRaisingThread thread(c.inSynchronize);
    ASSERT_TRUE(thread.Start());
    PumpUntil(thread.Done);
    thread.WaitFor();
    ASSERT_TRUE(WaitForReport());
    EXPECT_EQ(quor::ReportHeaderValue(LastReport(), "exception message"), c.message);
    EXPECT_FALSE(thread.FatalException());
    EXPECT_EQ(thread.CameBack, c.inSynchronize);
    EXPECT_EQ(ReportStarts(FileText()).size(), 1u);  // the abort is not reported
  }
}

std::string StateReport() {
  std::string text;
  quor::THandleArgs a;
  a.Kind = 1;
  a.Source = quor::kSourceExplicit;
  a.ReportOut = &text;
  quor::HandleException(a);
  return text;
}

TEST_F(ExceptTest, StateReportOfTheCallingThread) {
  const std::string text = StateReport();
  EXPECT_EQ(quor::ReportHeaderValue(text, "exception message"), "The application seems to be frozen.");
  EXPECT_EQ(quor::ReportHeaderValue(text, "exception class"), "");
  EXPECT_EQ(quor::ReportHeaderValue(text, "callstack crc").size(), 31u);
}

// A thread that keeps taking the process heap's lock is often suspended
// while it holds it; the reports, which suspend every thread to read its
// stack, must still all complete. A hang ends the test program with a
// failure instead of blocking.
TEST_F(ExceptTest, ReportsCompleteWhileAThreadBusyInTheHeapIsSuspended) {
  constexpr int kReports = 50;
  constexpr DWORD kReportsTimeoutMs = 120000;
  struct THeapWorker {
    std::atomic<bool> Stop{false};
    static DWORD WINAPI Run(void* p) {
      auto& w = *static_cast<THeapWorker*>(p);
      const HANDLE heap = GetProcessHeap();
      for (size_t size = 16; !w.Stop; size = size % 4096 + 16) HeapFree(heap, 0, HeapAlloc(heap, 0, size));
      return 0;
    }
  } worker;
  struct TReports {
    std::atomic<int> Complete{0};
    static DWORD WINAPI Run(void* p) {
      auto& r = *static_cast<TReports*>(p);
      for (int i = 0; i < kReports; ++i)
        if (quor::ReportHeaderValue(StateReport(), "callstack crc").size() == 31u) ++r.Complete;
      return 0;
    }
  } reports;
  HANDLE busy = CreateThread(nullptr, 0, &THeapWorker::Run, &worker, 0, nullptr);
  ASSERT_TRUE(busy);
  HANDLE reporter = CreateThread(nullptr, 0, &TReports::Run, &reports, 0, nullptr);
  ASSERT_TRUE(reporter);
  if (WaitForSingleObject(reporter, kReportsTimeoutMs) != WAIT_OBJECT_0) {
    // The handler thread waits for a lock that a suspended thread holds:
    // nothing in this process can end cleanly any more.
    std::fprintf(stderr, "FAILED: reports hang after %d of %d\n", reports.Complete.load(), kReports);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  }
  worker.Stop = true;
  EXPECT_EQ(WaitForSingleObject(busy, 10000), WAIT_OBJECT_0);
  CloseHandle(busy);
  CloseHandle(reporter);
  EXPECT_EQ(reports.Complete, kReports);
}

// A failure of the reporter's own appears in the next report, once.
TEST_F(ExceptTest, ReportersOwnFailuresAppearInTheNextReport) {
  (void)quor::TakeInternalErrors();
  quor::RecordInternalError("GetThreadReport", "no memory");
  const std::string first = StateReport();
  EXPECT_NE(first.find("\r\n\r\ninternal errors:\r\nGetThreadReport: no memory"), std::string::npos) << first;
  EXPECT_EQ(StateReport().find("internal errors:"), std::string::npos);
}

// A state report asked for by a secondary thread lists that thread too.
TEST_F(ExceptTest, StateReportOfASecondaryThreadShowsThatThread) {
  std::string text;
  DWORD id = 0;
  std::thread([&] {
    id = GetCurrentThreadId();
    text = quor::CurrentStateReport();
  }).join();
  EXPECT_NE(text.find("\r\n\r\nmain thread ($"), std::string::npos);
  EXPECT_NE(text.find("\r\n\r\nthread " + quor::DollarHex(id) + ":"), std::string::npos) << text;
}

// A state report is nobody's exception: it neither restarts nor closes the
// program whatever the settings say, and it is no entry of the exception
// history that those settings count.
TEST_F(ExceptTest, StateReportIsNeverActedOnNorCounted) {
  for (const char* setting : {"AutoClose", "AutoRestart"}) {
    SCOPED_TRACE(setting);
    const quor::TExceptionHistory before = quor::ExceptionHistory();
    ASSERT_TRUE(quor::MainSettings()->SetIntValue(setting, 1));
    const std::string text = quor::CurrentStateReport();
    EXPECT_TRUE(quor::MainSettings()->SetIntValue(setting, 0));
    EXPECT_EQ(quor::ReportHeaderValue(text, "callstack crc").size(), 31u);
    EXPECT_EQ(quor::ExceptionHistory(), before);
  }
}

// Reports from a thread of its own, waited for a bounded time.
struct TBoundedReport {
  std::string Text;
  DWORD ThreadId = 0;
  HANDLE Thread = nullptr;
  explicit TBoundedReport(bool withObject) : WithObject(withObject) {
    Thread = CreateThread(nullptr, 0, &Run, this, 0, &ThreadId);
  }
  ~TBoundedReport() {
    if (WaitForSingleObject(Thread, 0) == WAIT_OBJECT_0) CloseHandle(Thread);  // else left hanging
  }
  bool Finished(DWORD ms) const { return WaitForSingleObject(Thread, ms) == WAIT_OBJECT_0; }

private:
  bool WithObject;
  static DWORD WINAPI Run(void* p) {
    auto& r = *static_cast<TBoundedReport*>(p);
    const tk::ERangeError error("Range check error");
    quor::THandleArgs a;
    a.Kind = r.WithObject ? 0 : 1;
    a.Object = r.WithObject ? &error : nullptr;
    a.Type = r.WithObject ? &typeid(error) : nullptr;
    a.Source = r.WithObject ? quor::kSourceAppHandle : quor::kSourceExplicit;
    a.ReportOut = &r.Text;
    quor::HandleException(a);
    return 0;
  }
};

// Once: a fault in another module's code (it cannot be turned into an
// exception), on the thread that calls.
void FaultInAnotherModule() {
  using TStrLen = size_t(__cdecl*)(const char*);
  const auto strLen =
      reinterpret_cast<TStrLen>(reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("msvcrt.dll"), "strlen")));
  (void)strLen(nullptr);
}

std::atomic<int> g_disturbances{0};

// The threads the handling waits for (the handler thread, the report's
// building thread) never wait for the handler in turn: an exception they
// report is counted as an internal failure, and a fault on the handler
// thread ends only that request. The handling goes on with the next report.
TEST_F(ExceptTest, HandlingThreadsNeverWaitForTheHandler) {
  const struct {
    const char* what;
    void (*disturb)(quor::TIQuorException&);
  } cases[] = {
      {"the report-building thread reports an exception",
       [](quor::TIQuorException& e) {
         const DWORD handler = GetCurrentThreadId();
         e.RegisterCallback(
             &g_disturbances,
             [handler](bool, const std::string&, quor::TIQuorException&) {
               if (GetCurrentThreadId() == handler || g_disturbances.fetch_add(1) != 0) return;
               try {
                 throw tk::EConvertError("raised while the report is built");
               } catch (...) {
                 tk::seams::applicationHandleException(nullptr, "TButton", std::current_exception());
               }
             },
             true);
       }},
      {"a fault in another module on the handler thread",
       [](quor::TIQuorException&) {
         if (g_disturbances.fetch_add(1) == 0) FaultInAnotherModule();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    g_disturbances = 0;
    const uint32_t failures = quor::InternalFailureCount();
    quor::seams::exceptionCreated = c.disturb;
    {
      TBoundedReport disturbed(true);
      const bool finished = disturbed.Finished(30000);
      quor::seams::exceptionCreated = nullptr;
      ASSERT_TRUE(finished) << "the handling hangs";
    }
    EXPECT_EQ(quor::InternalFailureCount(), failures + 1);
    TBoundedReport next(false);
    ASSERT_TRUE(next.Finished(30000)) << "the handler no longer answers";
    EXPECT_EQ(quor::ReportHeaderValue(next.Text, "callstack crc").size(), 31u);
  }
}

// Several threads waiting for the same report at once all get the complete
// text, with its check sums.
TEST_F(ExceptTest, ThreadsWaitingForTheSameReportGetItComplete) {
  for (int round = 0; round < 5; ++round) {
    SCOPED_TRACE(round);
    const tk::ERangeError thrown("Range check error");
    quor::TExceptionParams p;
    p.Object = &thrown;
    p.Type = &typeid(thrown);
    p.ThreadId = GetCurrentThreadId();
    const quor::TExceptionRef e(
        new quor::TIQuorException(quor::ProcessSettingsHost(), quor::MainSettings(), std::move(p)));
    e->StartReport(false);
    std::string texts[3];
    std::thread waiters[3];
    for (int i = 0; i < 3; ++i) waiters[i] = std::thread([&e, &texts, i] { texts[i] = e->BugReport(true); });
    for (auto& w : waiters) w.join();
    for (const std::string& text : texts) {
      EXPECT_EQ(quor::ReportHeaderValue(text, "callstack crc").size(), 31u);
      EXPECT_EQ(text.find("will be calculated soon"), std::string::npos);
    }
  }
}

TEST_F(ExceptTest, ExceptionObjectHasSettingsOfItsOwnAndAFieldsHeader) {
  const tk::ERangeError thrown("Range check error!!");
  quor::TExceptionParams p;
  p.Object = &thrown;
  p.Type = &typeid(thrown);
  const quor::TExceptionRef e(
      new quor::TIQuorException(quor::ProcessSettingsHost(), quor::MainSettings(), std::move(p)));
  ASSERT_TRUE(e->SetExceptMsg("%appname%: %exceptMsg%%LF%%bugReport%"));
  EXPECT_EQ(e->ExceptMsg(), "quorExcept_test.exe: Range check error.\r\n");  // no report yet
  EXPECT_EQ(quor::MainSettings()->ExceptMsg(), "An error occurred in the application.");
  EXPECT_EQ(e->BugRepFile(), g_file);  // not changed here: the module's value

  e->StartReport(true);
  ASSERT_TRUE(e->HeaderFields()->Add("customer", "ACME"));
  const quor::QuorPtr<quor::IQuorFieldsEx> header = e->HeaderFields();
  const int32_t at = header->Find("customer");
  std::string name, content;
  ASSERT_TRUE(header->Item(at + 1, name, content));
  EXPECT_EQ(name, "QuorExcept version");
  const std::string text = e->BugReport(true);
  EXPECT_NE(text.find("\r\ncustomer "), std::string::npos);
  EXPECT_EQ(e->TextValue("ExceptMsg"), "quorExcept_test.exe: Range check error.\r\n" + text);
}

}  // namespace
