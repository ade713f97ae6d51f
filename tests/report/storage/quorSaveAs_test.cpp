// Saving a report where the user chooses, through the real Save As dialog,
// which stores mark the exception as stored, and what a failed edit leaves.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <new>
#include <sstream>
#include <thread>

#include "report/handling/quorExceptObject.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/settings/quorSettingsObject.h"
#include "report/storage/quorBugRepStore.h"

namespace {

const std::string kReport = "date/time : 2024-05-17, 14:03:09, 42ms\r\nexecutable : quorStorage_test.exe";

std::string TempFolder() {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string dir = std::string(folder) + "quorSaveAs_test";
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

quor::TExceptionRef NewException() {
  return quor::TExceptionRef(
      new quor::TIQuorException(quor::ProcessSettingsHost(), quor::MainSettings(), quor::TExceptionParams{}));
}

std::string DesktopFolder() {
  char desktop[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
  return desktop;
}

// What the dialog showed, and the answer the test gave it.
struct TDialogSeen {
  bool Seen = false;
  std::string Title, ProposedName, Folder;
};

// Answers the Save As dialog from another thread: types `name` into its file
// name box and presses OK, or with an empty name cancels.
class TDialogDriver {
public:
  explicit TDialogDriver(const std::string& name)
      : thread_([this, name] {
          for (int i = 0; i < 1000 && !done_; ++i, Sleep(10)) {
            HWND dlg = FindWindowA("#32770", "save bug report");
            if (!dlg) continue;
            Sleep(100);  // let the dialog finish its set-up
            seen_.Seen = true;
            char text[MAX_PATH] = {};
            GetWindowTextA(dlg, text, MAX_PATH);
            seen_.Title = text;
            // The file name box of the explorer-style dialog (combo 0x47C or edit 0x480).
            if (!GetDlgItemTextA(dlg, 0x47C, text, MAX_PATH)) GetDlgItemTextA(dlg, 0x480, text, MAX_PATH);
            seen_.ProposedName = text;
            if (SendMessageA(dlg, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(text)) > 0) seen_.Folder = text;
            if (name.empty()) {
              PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
            } else {
              SetDlgItemTextA(dlg, 0x47C, name.c_str());
              SetDlgItemTextA(dlg, 0x480, name.c_str());
              PostMessageA(dlg, WM_COMMAND, IDOK, 0);
            }
            return;
          }
        }) {}
  // After the dialog has returned.
  TDialogSeen Finish() {
    done_ = true;
    thread_.join();
    return seen_;
  }

private:
  std::atomic<bool> done_{false};
  TDialogSeen seen_;
  std::thread thread_;
};

class SaveAsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(quor::MainSettings());
    owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_TRUE(owner_);
  }
  void TearDown() override { DestroyWindow(owner_); }
  HWND owner_ = nullptr;
};

TEST_F(SaveAsTest, TheChosenFileGetsTheReportAndTheExceptionIsNotMarkedStored) {
  const std::string chosen = TempFolder() + "chosen.log";
  DeleteFileA(chosen.c_str());
  const quor::TExceptionRef e = NewException();
  TDialogDriver driver(chosen);
  EXPECT_TRUE(quor::StoreBugReport("", kReport, owner_, *e, false, e.get()));
  const TDialogSeen seen = driver.Finish();
  ASSERT_TRUE(seen.Seen);
  EXPECT_EQ(seen.Title, "save bug report");
  EXPECT_EQ(seen.ProposedName, "bugreport.log");
  EXPECT_EQ(_stricmp(seen.Folder.c_str(), DesktopFolder().c_str()), 0) << seen.Folder;
  EXPECT_EQ(ReadAll(chosen), kReport + "\r\n\r\n");
  EXPECT_FALSE(e->Stored);
  DeleteFileA(chosen.c_str());
}

TEST_F(SaveAsTest, ANameWithoutExtensionGetsTxtInTheDesktopFolder) {
  const std::string expected = DesktopFolder() + "\\quorSaveAs_test_plain.txt";
  DeleteFileA(expected.c_str());
  const quor::TExceptionRef e = NewException();
  TDialogDriver driver("quorSaveAs_test_plain");
  EXPECT_TRUE(quor::StoreBugReport("", kReport, owner_, *e, false, e.get()));
  EXPECT_TRUE(driver.Finish().Seen);
  EXPECT_EQ(ReadAll(expected), kReport + "\r\n\r\n");
  DeleteFileA(expected.c_str());
}

TEST_F(SaveAsTest, CancelStoresNothing) {
  const quor::TExceptionRef e = NewException();
  TDialogDriver driver("");
  EXPECT_FALSE(quor::StoreBugReport("", kReport, owner_, *e, false, e.get()));
  EXPECT_TRUE(driver.Finish().Seen);
  EXPECT_FALSE(e->Stored);
}

// Only the automatic store into the bug report file marks the exception.
TEST_F(SaveAsTest, OnlyTheBugReportFileMarksTheExceptionStored) {
  const std::string bugRepFile = TempFolder() + "bugreport.log", copy = TempFolder() + "attachment.log";
  ASSERT_TRUE(quor::MainSettings()->SetBugRepFile(bugRepFile));
  const struct {
    std::string file;
    bool automatic;
    std::string written;
    bool stored;
  } cases[] = {
      {"", true, bugRepFile, true},
      {copy, true, copy, false},
      {copy, false, copy, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + (c.automatic ? " automatic" : ""));
    DeleteFileA(c.written.c_str());
    const quor::TExceptionRef e = NewException();
    EXPECT_TRUE(quor::StoreBugReport(c.file, kReport, nullptr, *e, c.automatic, e.get()));
    EXPECT_EQ(ReadAll(c.written), kReport + "\r\n\r\n");
    EXPECT_EQ(e->Stored, c.stored);
    DeleteFileA(c.written.c_str());
  }
  quor::MainSettings()->Reload();
}

// Mapping the file for the edit grows it by room for the new report; an
// edit that fails leaves the file as it was, without that room.
TEST_F(SaveAsTest, FailedEditLeavesTheFileAsItWas) {
  using TEdit = size_t (*)(char*, size_t, size_t, std::string_view, const quor::TBugRepEditOptions&);
  const struct {
    const char* what;
    TEdit edit;
  } cases[] = {
      {"no memory for the edit",
       [](char*, size_t, size_t, std::string_view, const quor::TBugRepEditOptions&) -> size_t {
         throw std::bad_alloc();
       }},
      {"an edit that loses the report",
       [](char*, size_t, size_t, std::string_view, const quor::TBugRepEditOptions&) -> size_t { return 0; }},
  };
  const std::string file = TempFolder() + "failed.log";
  const std::string old = kReport + "\r\n\r\n";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << old;
    const quor::TExceptionRef e = NewException();
    quor::seams::editBugReportFile = c.edit;
    EXPECT_FALSE(quor::StoreBugReport(file, kReport + "\r\nexception number : 2", nullptr, *e, true, e.get()));
    quor::seams::editBugReportFile = nullptr;
    EXPECT_EQ(ReadAll(file), old);
  }
  DeleteFileA(file.c_str());
}

}  // namespace
