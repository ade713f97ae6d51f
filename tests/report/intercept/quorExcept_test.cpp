// The exception handling in a program built like the product: the reporter
// starts before everything else, takes over the toolkit's seams, turns
// hardware faults into exceptions and writes every report into the bug
// report file. The test's settings resource shows no box (kPresentNothing).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "report/handling/quorExceptObject.h"
#include "report/handling/quorExceptPipeline.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/settings/quorSettingsObject.h"
#include "report/storage/quorBugRepFile.h"
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

TEST_F(ExceptTest, StateReportOfTheCallingThread) {
  std::string text;
  quor::THandleArgs a;
  a.Kind = 1;
  a.Source = quor::kSourceExplicit;
  a.ReportOut = &text;
  quor::HandleException(a);
  EXPECT_EQ(quor::ReportHeaderValue(text, "exception message"), "The application seems to be frozen.");
  EXPECT_EQ(quor::ReportHeaderValue(text, "exception class"), "");
  EXPECT_EQ(quor::ReportHeaderValue(text, "callstack crc").size(), 31u);
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
