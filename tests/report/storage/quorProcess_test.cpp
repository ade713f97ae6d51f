// The ends of a process as another process sees them: restarting with the
// exception history handed over, closing after too many exceptions, and the
// start-up check of the executable's image check sum. Each case starts the
// test program quorProcessChild.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "report/storage/quorBugRepFile.h"
#include "report/symbols/quorImageCheckSum.h"
#include "report/text/quorLittleEndian.h"

#ifndef QUOR_CHILD_EXE
#error "QUOR_CHILD_EXE names the child program"
#endif

namespace {

std::string TempFolder() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string dir = std::string(folder) + "quorProcess_test";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

std::vector<std::string> Lines(const std::string& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class TChild {
public:
  // `shownName`: the program's name on its command line, if not `exe`.
  explicit TChild(const std::string& commandLine, const std::string& exe = QUOR_CHILD_EXE,
                  const std::string& shownName = "") {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = "\"" + (shownName.empty() ? exe : shownName) + "\" " + commandLine;
    started_ = CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
  }
  ~TChild() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 99);
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
  TChild(const TChild&) = delete;
  TChild& operator=(const TChild&) = delete;

  bool Started() const { return started_; }
  DWORD Id() const { return pi_.dwProcessId; }
  // The exit code, or 259 (STILL_ACTIVE) when it did not end in time.
  DWORD Wait(DWORD ms) const {
    WaitForSingleObject(pi_.hProcess, ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

private:
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

TEST(ProcessEnds, RestartRunsTheSameCommandLineAndHandsOverTheHistory) {
  const std::string out = TempFolder() + "restart.txt";
  DeleteFileA(out.c_str());
  TChild child("restart \"" + out + "\"");
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.Wait(20000), 2u);
  // Two restarts: each successor saw one more exception time.
  std::vector<std::string> lines;
  for (int i = 0; i < 400 && (lines = Lines(out)).size() < 3; ++i) Sleep(50);
  ASSERT_EQ(lines.size(), 3u);
  std::string commandLine;
  std::vector<DWORD> ids;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::istringstream in(lines[i]);
    int entries = -1;
    DWORD id = 0;
    in >> entries >> id;
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(entries, int(i)) << lines[i];
    ids.push_back(id);
    if (i == 0) commandLine = rest;
    EXPECT_EQ(rest, commandLine) << "generation " << i;
  }
  EXPECT_EQ(ids[0], child.Id());
  EXPECT_NE(ids[1], ids[0]);
  EXPECT_NE(ids[2], ids[1]);
  // The last one ends normally.
  if (HANDLE last = OpenProcess(SYNCHRONIZE, FALSE, ids[2])) {
    EXPECT_EQ(WaitForSingleObject(last, 20000), WAIT_OBJECT_0);
    CloseHandle(last);
  }
}

// AutoClose 5: the process closes only when ten exceptions, the current one
// included, fall within the last five seconds.
TEST(ProcessEnds, AutoCloseAtTheTenthExceptionWithinFiveSeconds) {
  const struct {
    const char* args;  // raises, then after which one to pause how long
    DWORD exitCode;
    size_t survived;
  } cases[] = {
      {"9", 0, 9},
      {"12", 1, 9},
      // The first five lie more than five seconds back when the tenth comes.
      {"10 5 6500", 0, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const std::string out = TempFolder() + "close.txt";
    DeleteFileA(out.c_str());
    TChild child("close \"" + out + "\" " + c.args);
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.Wait(30000), c.exitCode);
    EXPECT_EQ(Lines(out).size(), c.survived);
  }
}

std::string ReadAll(const std::string& path);

// A run-time error ends the process, and its report is in the bug report
// file before the process has ended.
TEST(ProcessEnds, RunTimeErrorsAreReportedAndStored) {
  const struct {
    const char* kind;
    const char* message;
  } cases[] = {
      {"assert", "Abnormal program termination."},
      {"invalid-parameter", "Invalid parameter passed to a C runtime function."},
      {"pure-virtual", "Pure virtual function call."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    const std::string file = TempFolder() + "runerror.log";
    DeleteFileA(file.c_str());
    TChild child(std::string("runerror ") + c.kind + " \"" + file + "\"");
    ASSERT_TRUE(child.Started());
    const DWORD code = child.Wait(30000);
    EXPECT_NE(code, DWORD(STILL_ACTIVE));
    EXPECT_NE(code, 6u) << "the error did not end the process";
    const std::string report = ReadAll(file);
    EXPECT_EQ(quor::ReportHeaderValue(report, "exception class"), "ERunError") << report;
    EXPECT_EQ(quor::ReportHeaderValue(report, "exception message"), c.message);
  }
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The main window closes (a quit message reaches the main thread) while a
// report is handled: the program ends as a closed program does, and the
// report is in the file all the same, box or not.
TEST(ProcessEnds, ClosingWhileAReportIsHandledKeepsTheReport) {
  for (const char* what : {"exception", "box", "state"}) {
    SCOPED_TRACE(what);
    const std::string file = TempFolder() + "quit.log";
    DeleteFileA(file.c_str());
    TChild child("quit \"" + file + "\" " + what);
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.Wait(60000), 0u);
    EXPECT_EQ(quor::ReportHeaderValue(ReadAll(file), "callstack crc").size(), 31u);
  }
}

// A restart that cannot start the program again (its command line names no
// program) leaves it running and says so in the report.
TEST(ProcessEnds, FailedRestartKeepsTheProgramRunning) {
  const std::string file = TempFolder() + "unrestartable.log";
  DeleteFileA(file.c_str());
  TChild child("unrestartable \"" + file + "\"", QUOR_CHILD_EXE, TempFolder() + "missing\\quorProcessChild.exe");
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(child.Wait(30000), 6u);
  const std::string report = ReadAll(file);
  const std::string_view restart = quor::ReportHeaderValue(report, "restart");
  EXPECT_EQ(restart.rfind("failed (error ", 0), 0u) << restart;
}

// A visible message box of the process: its text, after pressing OK.
std::string PressOkInBox(DWORD processId, int waitMs) {
  for (int i = 0; i < waitMs / 50; ++i, Sleep(50)) {
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", nullptr))) {
      DWORD pid = 0;
      GetWindowThreadProcessId(box, &pid);
      if (pid != processId || !IsWindowVisible(box)) continue;
      char text[512] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return text;
    }
  }
  return "<no box>";
}

// The image check sum of a copy of the child: a changed byte behind the
// headers makes the start-up check refuse it, unless no sum is stored.
TEST(ProcessEnds, ImageCheckSumOfTheExecutable) {
  const std::string original = ReadAll(QUOR_CHILD_EXE);
  const size_t field = quor::ImageCheckSumOffset(reinterpret_cast<const uint8_t*>(original.data()), original.size());
  ASSERT_NE(field, 0u);
  ASSERT_NE(quor::LoadLe32(reinterpret_cast<const uint8_t*>(original.data()) + field), 0u)
      << "the child is built with its check sum";
  const struct {
    const char* name;
    bool changeByte, clearSum;
    const char* box;
    DWORD exitCode;
  } cases[] = {
      {"intact.exe", false, false, "<no box>", 7},
      {"corrupt.exe", true, false, "The file \"corrupt.exe\" seems to be corrupt!", 0},
      {"unsummed.exe", true, true, "<no box>", 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = original;
    // The last byte of the file is no code or data the child uses at run time.
    if (c.changeByte) bytes.back() = char(bytes.back() ^ 0x5A);
    if (c.clearSum) std::fill_n(bytes.begin() + field, 4, '\0');
    const std::string exe = TempFolder() + c.name;
    WriteAll(exe, bytes);
    TChild child("exit", exe);
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(PressOkInBox(child.Id(), c.exitCode == 0 ? 10000 : 1500), c.box);
    EXPECT_EQ(child.Wait(20000), c.exitCode);
    DeleteFileA(exe.c_str());
  }
}

}  // namespace
