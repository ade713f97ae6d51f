// The freeze watchdog in a program built like the product, with a freeze
// time-out of one second (a probe every 100 ms): a main thread that stops
// answering its messages is reported as frozen; one that keeps them
// flowing, or that suspended the check, is not.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorFreezeWatchdog.h"
#include "report/settings/quorSettingsObject.h"
#include "report/storage/quorBugRepFile.h"

namespace {

std::string g_file;

// The main thread answers the watchdog for a while.
void Pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  while (int(until - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
}

class FreezeTest : public ::testing::Test {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    g_file = std::string(folder) + "quorFreeze_test\\bugreport.log";
    ASSERT_TRUE(quor::MainSettings());
    ASSERT_TRUE(quor::MainSettings()->SetBugRepFile(g_file));
    ASSERT_NE(quor::FreezeWatchdogThreadId(), 0u);
    Pump(500);  // answered: the watchdog's counter starts from 0
    DeleteFileA(g_file.c_str());
  }
};

std::string FileText() {
  std::ifstream in(g_file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Reports() {
  const std::string text = FileText();
  std::vector<size_t> starts;
  for (size_t at = text.find("date/time"); at != std::string::npos; at = text.find("date/time", at + 1))
    if (at == 0 || text[at - 1] == '\n') starts.push_back(at);
  std::vector<std::string> reports;
  for (size_t i = 0; i < starts.size(); ++i)
    reports.push_back(text.substr(starts[i], i + 1 < starts.size() ? starts[i + 1] - starts[i] : std::string::npos));
  return reports;
}

// The main thread answers again and waits until `count` reports are stored
// (the report is built and stored by the reporter's threads, which may be
// slow on a busy machine) or 10 s have passed.
std::vector<std::string> PumpUntilReports(size_t count) {
  std::vector<std::string> reports = Reports();
  for (int i = 0; i < 100 && reports.size() < count; ++i) {
    Pump(100);
    reports = Reports();
  }
  return reports;
}

TEST_F(FreezeTest, BlockedMainThreadIsReportedAsFrozen) {
  Sleep(1600);  // ten probes of 100 ms go unanswered
  const auto reports = PumpUntilReports(1);
  ASSERT_EQ(reports.size(), 1u);
  const std::string& r = reports[0];
  EXPECT_EQ(quor::ReportHeaderValue(r, "exception message"), "The application seems to be frozen.");
  EXPECT_EQ(quor::ReportHeaderValue(r, "exception class"), "");
  EXPECT_EQ(quor::ReportHeaderValue(r, "callstack crc").size(), 31u);
  EXPECT_NE(r.find("main thread ($"), std::string::npos);
  EXPECT_EQ(r.find("AntiFreezeThread"), std::string::npos);  // the watchdog is left out
  quor::TThreadRecord record;
  ASSERT_TRUE(quor::FindThreadRecord(quor::FreezeWatchdogThreadId(), record));
  EXPECT_EQ(record.Name, quor::kLibraryThreadName);
}

// Reports come after 1 s, then 1.5 s later, then 2.25 s later: in a block of
// 4 s there are two (three or four if the interval did not grow).
TEST_F(FreezeTest, IntervalGrowsAfterEveryFreezeReport) {
  Sleep(4000);
  EXPECT_EQ(PumpUntilReports(2).size(), 2u);
}

DWORD WINAPI SuspendFromThread(void*) {
  quor::SuspendFreezeCheck(true);
  return 0;
}

// The checks that must not give a report: a main thread that keeps its
// messages flowing, a suspended check (nested), a check suspended by a
// thread other than the main thread.
TEST_F(FreezeTest, NoReportWhileAnsweredOrSuspended) {
  const struct {
    const char* what;
    void (*run)();
  } cases[] = {
      {"pumping", [] { Pump(2500); }},
      {"suspended",
       [] {
         quor::SuspendFreezeCheck(true);
         quor::SuspendFreezeCheck(true);
         Sleep(1000);
         quor::SuspendFreezeCheck(false);  // still suspended once
         Sleep(1500);
         quor::SuspendFreezeCheck(false);
         Pump(300);
       }},
      {"suspended from another thread",
       [] {
         HANDLE t = CreateThread(nullptr, 0, &SuspendFromThread, nullptr, 0, nullptr);
         WaitForSingleObject(t, INFINITE);
         CloseHandle(t);
         Sleep(2500);
         quor::SuspendFreezeCheck(false);
         Pump(300);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.run();
    EXPECT_EQ(Reports().size(), 0u);
  }
}

// After the suspension ends, a freeze is reported again.
TEST_F(FreezeTest, ResumedCheckReportsAgain) {
  quor::SuspendFreezeCheck(true);
  Sleep(1500);
  quor::SuspendFreezeCheck(false);
  Sleep(1600);
  Pump(300);
  EXPECT_EQ(Reports().size(), 1u);
}

}  // namespace
