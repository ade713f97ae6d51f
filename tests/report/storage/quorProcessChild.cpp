// A program built like the product, started by the process tests as a child.
// Its exceptions go through the whole handling; what it sees it appends to
// a file named on its command line.
//   quorProcessChild exit                 ends with exit code 7
//   quorProcessChild restart FILE         writes "<entries> <pid> <command line>"
//                                         and, with fewer than two exception
//                                         times in its history, raises with
//                                         AutoRestart on
//   quorProcessChild close FILE N [K MS]  AutoClose 5: raises N times, writes
//                                         each number it survives, sleeps MS
//                                         after the K-th; ends with exit code 0
//   quorProcessChild runerror KIND FILE   ends in a run-time error (assert,
//                                         invalid-parameter, pure-virtual),
//                                         its report stored in the bug report
//                                         file FILE
//   quorProcessChild unrestartable FILE   raises with AutoRestart on, started
//                                         under a program name that does not
//                                         exist, so the restart cannot start
//                                         it; reports into FILE; exit code 6
//   quorProcessChild quit FILE WHAT       its main window closes (a quit
//                                         message) while it reports into FILE:
//                                         WHAT "exception", "box" (an exception
//                                         with the box shown) or "state" (a
//                                         state report); then ends as a closed
//                                         program does, with exit code 0
#undef NDEBUG  // the failed assertion is one of the run-time errors
#include <windows.h>

#include <cassert>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "report/handling/quorExceptPipeline.h"
#include "report/handling/quorStateReport.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/settings/quorSettingsObject.h"
#include "toolkit/Seams.h"
#include "toolkit/SysExceptions.h"

namespace {

void Append(const char* file, const std::string& line) {
  if (FILE* f = std::fopen(file, "ab")) {
    std::fputs((line + "\n").c_str(), f);
    std::fclose(f);
  }
}

// An exception that escapes a message handler reaches the application's handler.
void RaiseInHandler() {
  try {
    throw tk::ERangeError("Range check error");
  } catch (...) {
    tk::seams::applicationHandleException(nullptr, "TButton", std::current_exception());
  }
}

int Restart(const char* file) {
  int entries = 0;
  for (uint64_t t : quor::ExceptionHistory()) entries += t != 0;
  Append(file, std::to_string(entries) + " " + std::to_string(GetCurrentProcessId()) + " " + GetCommandLineA());
  if (entries >= 2) return 0;
  (void)quor::MainSettings()->SetAutoRestart(1);
  RaiseInHandler();
  return 3;  // not reached: the handling restarts the program
}

// A constructor that calls the pure virtual function of its own class.
struct TPureBase {
  TPureBase() { CallHook(); }
  virtual ~TPureBase() = default;
  virtual void Hook() = 0;
  __attribute__((noinline)) void CallHook() { Hook(); }
};
struct TPureDerived : TPureBase {
  void Hook() override {}
};

volatile bool g_holds = false;

int RunError(const std::string& kind, const char* file) {
  (void)quor::MainSettings()->SetAutoSave(true);
  (void)quor::MainSettings()->SetBugRepFile(file);
  if (kind == "assert") assert(g_holds);
  if (kind == "invalid-parameter") std::fclose(nullptr);
  if (kind == "pure-virtual") TPureDerived derived;
  return 6;  // not reached: each ends the process
}

int Close(const char* file, int count, int pauseAfter, int pauseMs) {
  (void)quor::MainSettings()->SetAutoClose(5);
  for (int i = 1; i <= count; ++i) {
    RaiseInHandler();
    Append(file, std::to_string(i));
    if (i == pauseAfter) Sleep(DWORD(pauseMs));
  }
  return 0;
}

int Unrestartable(const char* file) {
  (void)quor::MainSettings()->SetBugRepFile(file);
  (void)quor::MainSettings()->SetAutoSave(true);
  (void)quor::MainSettings()->SetAutoRestart(1);
  RaiseInHandler();
  return 6;
}

// The quit message is there before the report starts, so the main thread
// stops waiting for it at once; the message loop then ends the program.
int Quit(const char* file, const std::string& what) {
  (void)quor::MainSettings()->SetBugRepFile(file);
  (void)quor::MainSettings()->SetAutoSave(true);
  if (what == "box") (void)quor::MainSettings()->SetGnShowCfg(0);
  PostQuitMessage(0);
  if (what == "state")
    (void)quor::CurrentStateReport();
  else
    RaiseInHandler();
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return int(msg.wParam);
}

}  // namespace

int main(int argc, char** argv) {
  if (!quor::MainSettings() || !tk::seams::applicationHandleException) return 4;
  (void)quor::MainSettings()->SetAutoSave(false);  // no bug report file beside the test program
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "exit") return 7;
  if (mode == "restart" && argc == 3) return Restart(argv[2]);
  if (mode == "runerror" && argc == 4) return RunError(argv[2], argv[3]);
  if (mode == "unrestartable" && argc == 3) return Unrestartable(argv[2]);
  if (mode == "quit" && argc == 4) return Quit(argv[2], argv[3]);
  if (mode == "close" && argc >= 4)
    return Close(argv[2], std::atoi(argv[3]), argc > 4 ? std::atoi(argv[4]) : 0, argc > 5 ? std::atoi(argv[5]) : 0);
  return 5;
}
