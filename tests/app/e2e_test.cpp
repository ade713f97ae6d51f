// Sorvenal.exe driven from outside, as a person would: its own process,
// its real windows, messages posted to them, and the files it leaves.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/storage/quorBugRepFile.h"
#include "tests/report/box/ExceptionBoxFinder.h"
#include "toolkit/WinText.h"

#ifndef SORVENAL_EXE
#error "SORVENAL_EXE names the program under test"
#endif

namespace {

std::wstring TempDir() {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  std::wstring d = std::wstring(dir) + L"sorvenal_e2e_" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(d.c_str(), nullptr);
  return d;
}

std::wstring Text(HWND h) {
  const LRESULT n = SendMessageW(h, WM_GETTEXTLENGTH, 0, 0);
  std::wstring t(static_cast<size_t>(n) + 1, L'\0');
  t.resize(static_cast<size_t>(SendMessageW(h, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(t.data()))));
  return t;
}

std::string ReadFileText(const std::wstring& path) {
  HANDLE h =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string s(GetFileSize(h, nullptr), '\0');
  DWORD got = 0;
  ReadFile(h, s.data(), static_cast<DWORD>(s.size()), &got, nullptr);
  CloseHandle(h);
  s.resize(got);
  return s;
}

// The lines of a report section: from its header line to the first empty line.
std::vector<std::string> SectionLines(const std::string& report, const std::string& header) {
  std::vector<std::string> lines;
  size_t at = report.find(header);
  if (at == std::string::npos) return lines;
  at = report.find("\r\n", at);
  while (at != std::string::npos) {
    const size_t start = at + 2, end = report.find("\r\n", start);
    const std::string line = report.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (line.empty()) break;
    lines.push_back(line);
    at = end;
  }
  return lines;
}

// The first line at or after `from` that holds every part, or -1.
int FindLine(const std::vector<std::string>& lines, int from, const std::vector<std::string>& parts) {
  for (int i = from; i < static_cast<int>(lines.size()); ++i) {
    bool all = true;
    for (const auto& p : parts) all = all && lines[i].find(p) != std::string::npos;
    if (all) return i;
  }
  return -1;
}

class ProgramTest : public testing::Test {
protected:
  void SetUp() override {
    dir_ = TempDir();
    exe_ = dir_ + L"\\Sorvenal.exe";
    ASSERT_TRUE(CopyFileW(tk::Wide(SORVENAL_EXE).c_str(), exe_.c_str(), FALSE));
    DeleteFileW((dir_ + L"\\bugreport.log").c_str());
    STARTUPINFOW si{sizeof(si)};
    std::wstring cmd = L"\"" + exe_ + L"\"";
    ASSERT_TRUE(CreateProcessW(exe_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir_.c_str(), &si, &pi_));
    WaitForInputIdle(pi_.hProcess, 10000);
    for (int i = 0; i < 200 && !(main_ = FindMainWindow()); ++i) Sleep(50);
    ASSERT_NE(main_, nullptr);
    EnumChildWindows(main_, &ProgramTest::Collect, reinterpret_cast<LPARAM>(this));
    ASSERT_NE(edit_, nullptr);
    ASSERT_NE(memo_, nullptr);
    ASSERT_NE(calculate_, nullptr);
    ASSERT_NE(clear_, nullptr);
  }

  void TearDown() override {
    if (pi_.hProcess) {
      if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
    DeleteFileW((dir_ + L"\\bugreport.log").c_str());
    DeleteFileW(exe_.c_str());
    RemoveDirectoryW(dir_.c_str());
  }

  HWND FindMainWindow() {
    HWND h = nullptr;
    while ((h = FindWindowExW(nullptr, h, nullptr, L"Brisquel - File Sorvenal"))) {
      DWORD pid = 0;
      GetWindowThreadProcessId(h, &pid);
      if (pid == pi_.dwProcessId && IsWindowVisible(h)) return h;
    }
    return nullptr;
  }

  static BOOL CALLBACK Collect(HWND h, LPARAM self) {
    auto* t = reinterpret_cast<ProgramTest*>(self);
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    const std::wstring text = Text(h);
    if (_wcsicmp(cls, L"Edit") == 0) {
      if (GetWindowLongW(h, GWL_STYLE) & ES_MULTILINE)
        t->memo_ = h;
      else
        t->edit_ = h;
    } else if (_wcsicmp(cls, L"Button") == 0) {
      if (text == L"Calculate File Check Sum") t->calculate_ = h;
      if (text == L"Clear Log") t->clear_ = h;
    }
    return TRUE;
  }

  // Posts a click (a modal box may open) and waits for the program to settle.
  void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
    Sleep(300);
  }

  // The first message box of the program's process: its text; it is closed.
  std::wstring DismissBox(int waitMs) {
    for (int i = 0; i < waitMs / 50; ++i, Sleep(50)) {
      HWND box = nullptr;
      while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr))) {
        DWORD pid = 0;
        GetWindowThreadProcessId(box, &pid);
        if (pid != pi_.dwProcessId || !IsWindowVisible(box)) continue;
        const std::wstring text = Text(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        for (int k = 0; k < 100 && IsWindow(box); ++k) Sleep(20);
        return text;
      }
    }
    return L"<no box>";
  }

  // The exception box of the program's process: its message; it is closed
  // and the program goes on.
  std::wstring DismissExceptionBox(int waitMs) {
    const HWND box = quor_test::FindExceptionBox(pi_.dwProcessId, waitMs);
    if (!box) return L"<no box>";
    const std::wstring text = quor_test::ExceptionBoxMessage(box);
    quor_test::CloseExceptionBox(box);
    return text;
  }

  std::wstring WriteFile(const wchar_t* name, size_t length) {
    const std::wstring path = dir_ + L"\\" + name;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::vector<char> bytes(length, 7);
    DWORD put = 0;
    if (length) ::WriteFile(h, bytes.data(), static_cast<DWORD>(length), &put, nullptr);
    CloseHandle(h);
    return path;
  }

  std::wstring dir_, exe_;
  PROCESS_INFORMATION pi_{};
  HWND main_ = nullptr, edit_ = nullptr, memo_ = nullptr, calculate_ = nullptr, clear_ = nullptr;
};

TEST_F(ProgramTest, CalculateLogClearAndInformationBox) {
  const std::wstring four = WriteFile(L"four.bin", 4);
  SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(four.c_str()));
  Click(calculate_);
  Click(calculate_);
  EXPECT_EQ(Text(memo_), L"0000: " + four + L"\r\n0000: " + four + L"\r\n");
  Click(clear_);
  EXPECT_EQ(Text(memo_), L"");

  SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  Click(calculate_);
  EXPECT_EQ(DismissBox(5000), L"File does not exist - Please select a file by clicking on the yellow folder");
  EXPECT_EQ(Text(memo_), L"");
}

TEST_F(ProgramTest, AShortFileIsReportedAndTheProgramGoesOn) {
  const std::wstring four = WriteFile(L"four.bin", 4), two = WriteFile(L"two.bin", 2);
  SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(four.c_str()));
  Click(calculate_);
  const std::wstring log = Text(memo_);
  SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(two.c_str()));
  Click(calculate_);
  // The stored message names no exception: the report does.
  const std::wstring box = DismissExceptionBox(20000);
  EXPECT_NE(box.find(L"An error occurred in the application."), std::wstring::npos) << tk::Narrow(box);
  EXPECT_EQ(Text(memo_), log);
  // The report is stored once every thread's call stack is traced.
  std::string report;
  for (int i = 0; i < 2400 && report.find("ERangeError") == std::string::npos; ++i, Sleep(50))
    report = ReadFileText(dir_ + L"\\bugreport.log");
  EXPECT_NE(report.find("ERangeError"), std::string::npos);
  EXPECT_NE(report.find("Range check error"), std::string::npos);
  // The main thread's call stack names the check-sum function with its unit
  // and the line that raised, the click handler of the main window and the
  // toolkit's message dispatch below them, in that order.
  const std::vector<std::string> stack = SectionLines(report, "main thread (");
  const std::vector<std::vector<std::string>> expected = {
      {"Sorvenal.exe", "BrisquelFileUtil.cpp", " 59 ", "FileWordSum"},
      {"Sorvenal.exe", "formmain.cpp", "Button_CalculateCheckSumClick"},
      {"Sorvenal.exe", "Forms.cpp", "TApplication::Run"},
  };
  int at = 0;
  for (const auto& parts : expected) {
    const int found = FindLine(stack, at, parts);
    EXPECT_GE(found, 0) << parts.back() << " after line " << at << " of:\n" << report.substr(0, 3000);
    if (found >= 0) at = found + 1;
  }
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception class"), "ERangeError");
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception message"), "Range check error.");
  EXPECT_EQ(quor::ReportHeaderValue(report, "executable"), "Sorvenal.exe");
  EXPECT_EQ(quor::ReportHeaderValue(report, "callstack crc").size(), 31u);
  for (const char* name : {"date/time", "computer name", "operating system", "process id", "exception number",
                           "version", "exec. date/time"})
    EXPECT_FALSE(quor::ReportHeaderValue(report, name).empty()) << name;

  // The same fault again is folded into the stored report, which now counts 2.
  Click(calculate_);
  EXPECT_NE(DismissExceptionBox(20000).find(L"An error occurred"), std::wstring::npos);
  for (int i = 0; i < 2400 && quor::ReportHeaderValue(report, "count").empty(); ++i, Sleep(50))
    report = ReadFileText(dir_ + L"\\bugreport.log");
  EXPECT_EQ(quor::ReportHeaderValue(report, "count"), "2");
  size_t reports = 0;
  for (size_t at = report.find("date/time"); at != std::string::npos; at = report.find("date/time", at + 1))
    if (at == 0 || report[at - 1] == '\n') ++reports;
  EXPECT_EQ(reports, 1u);
  EXPECT_EQ(Text(memo_), log);

  // The program still answers: another calculation works.
  SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(four.c_str()));
  Click(calculate_);
  EXPECT_EQ(Text(memo_), log + L"0000: " + four + L"\r\n");
}

// Writes a file of `bytes`; false when it cannot be written.
bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  const bool written = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  CloseHandle(h);
  return written && put == bytes.size();
}

// A skin folder named like the internal skin the layout asks for, in the
// layout's skin folder: it takes precedence over the internal skin. Its
// master bitmap is no bitmap. Removed again at the end.
struct TMalformedSkinFolder {
  const std::wstring Root = L"c:\\Skins", Folder = Root + L"\\Office12Style (internal)";
  TMalformedSkinFolder() {
    CreateDirectoryW(Root.c_str(), nullptr);
    CreateDirectoryW(Folder.c_str(), nullptr);
  }
  ~TMalformedSkinFolder() {
    for (const wchar_t* name : {L"\\Options.dat", L"\\master.bmp"}) DeleteFileW((Folder + name).c_str());
    RemoveDirectoryW(Folder.c_str());
    RemoveDirectoryW(Root.c_str());
  }
  bool Write() const {
    return WriteBytes(Folder + L"\\Options.dat", "[GLOBALINFO]\r\nMasterBitmap=master.bmp\r\n") &&
           WriteBytes(Folder + L"\\master.bmp", "not a bitmap");
  }
};

// An error while the main window is made goes through the exception
// handling like every other: the box, the report in the bug report file,
// and the end of the program, which cannot go on without its main window.
TEST(ProgramStart, MainWindowThatCannotBeMadeIsReported) {
  const TMalformedSkinFolder skin;
  ASSERT_TRUE(skin.Write());
  const std::wstring dir = TempDir(), exe = dir + L"\\Sorvenal.exe", log = dir + L"\\bugreport.log";
  ASSERT_TRUE(CopyFileW(tk::Wide(SORVENAL_EXE).c_str(), exe.c_str(), FALSE));
  DeleteFileW(log.c_str());
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe + L"\"";
  ASSERT_TRUE(CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi));
  std::wstring box = L"<no box>";
  for (int i = 0; i < 1200 && box == L"<no box>" && WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT; ++i)
    if (const HWND h = quor_test::FindExceptionBox(pi.dwProcessId, 0)) {
      box = quor_test::ExceptionBoxMessage(h);
      quor_test::CloseExceptionBox(h);
    }
  const bool ended = WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(pi.hProcess, 99);
  DWORD exitCode = 0;
  GetExitCodeProcess(pi.hProcess, &exitCode);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  const std::string report = ReadFileText(log);
  DeleteFileW(log.c_str());
  DeleteFileW(exe.c_str());
  RemoveDirectoryW(dir.c_str());
  EXPECT_NE(box.find(L"An error occurred in the application."), std::wstring::npos) << tk::Narrow(box);
  EXPECT_TRUE(ended);
  EXPECT_EQ(exitCode, 1u);
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception class"), "EInvalidGraphic");
  EXPECT_EQ(quor::ReportHeaderValue(report, "exception message"), "Bitmap image is not valid.");
}

}  // namespace
