#include "report/storage/quorBugRepStore.h"

#include <windows.h>

#include <cstring>

#include "base/Address.h"
#include "base/ScopeExit.h"
#include "base/WinHandle.h"
#include "base/WinMemory.h"
#include "report/settings/quorModulePath.h"

#include "report/handling/quorExceptObject.h"
#include "report/intercept/quorMessageWindow.h"
#include "report/intercept/quorProcessBlocked.h"
#include "report/settings/quorSettingsResource.h"
#include "report/storage/quorBugRepFile.h"
#include "report/storage/quorSaveAsDialog.h"
#include "report/text/quorTextFormat.h"

namespace quor {

namespace {

constexpr DWORD kRestartRecordSize = 88;
constexpr int kOpenAttempts = 20;  // a file held by another writer is tried again for a second

bool IsRelative(const std::string& path) {
  return !(path.size() > 1 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\')));
}

std::string ExecutableFolder() {
  const std::string exe = ModulePath(0);
  return exe.substr(0, exe.find_last_of("\\/") + 1);
}

void CreateFolders(const std::string& path) {
  for (size_t at = path.find_first_of("\\/", 3); at != std::string::npos; at = path.find_first_of("\\/", at + 1))
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
}

// Cuts the file at `length`; the file can be cut only when no mapping of it
// is left.
bool CutFile(HANDLE file, size_t length) {
  LARGE_INTEGER end;
  end.QuadPart = LONGLONG(length);
  return SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

// Edits the file in place: mapped with room for the new report, edited,
// then cut to its new length. Mapping it has grown the file, so an edit
// that fails cuts it back to its old length.
bool EditFile(const std::string& path, const std::string& report, const TBugRepEditOptions& options) {
  CreateFolders(path);
  HANDLE raw = INVALID_HANDLE_VALUE;
  for (int i = 0; i < kOpenAttempts && raw == INVALID_HANDLE_VALUE; ++i) {
    raw = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                      nullptr);
    if (raw == INVALID_HANDLE_VALUE && GetLastError() != ERROR_SHARING_VIOLATION) break;
    if (raw == INVALID_HANDLE_VALUE) Sleep(50);
  }
  const base::FileHandle file(raw);
  if (!file) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x40000000) return false;
  const size_t length = static_cast<size_t>(size.QuadPart);
  const size_t capacity = BugRepEditCapacity(length, report.size());
  size_t newLength = 0;
  try {
    const base::KernelHandle mapping(
        CreateFileMappingA(file.get(), nullptr, PAGE_READWRITE, 0, DWORD(capacity), nullptr));
    const base::MappedView view(mapping ? MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, capacity) : nullptr);
    if (view) {
      const auto edit = seams::editBugReportFile ? seams::editBugReportFile : &EditBugReportFile;
      newLength = edit(static_cast<char*>(view.get()), length, capacity, report, options);
      FlushViewOfFile(view.get(), 0);
    }
  } catch (...) {
    newLength = 0;  // no memory for the edit's copies
  }
  // Windows: SetEndOfFile fails while a mapping of the file exists, so the
  // view and mapping end first. A failed edit cuts the file back to its old
  // size (the mapping grew it).
  const bool edited = newLength >= report.size();
  return CutFile(file.get(), edited ? newLength : length) && edited;
}

// A blocked process cannot show a dialog (its window procedures may wait for
// the lock): a plain beep answers instead.
std::string AskForFile(HWND parent, IQuorSettings& settings) {
  if (ProcessBlocked(250)) {
    MessageBeep(0xFFFFFFFF);
    return {};
  }
  const std::string file = settings.BugRepFile();
  return ChooseSaveFile(parent, settings.TextValue("SaveBtnTxt"), file.substr(file.find_last_of("\\/") + 1));
}

}  // namespace

bool StoreBugReport(const std::string& fileName, const std::string& report, HWND parent, IQuorSettings& settings,
                    bool automatic, TIQuorException* exception) {
  // Only the automatic form writes the bug report file itself; a file the
  // caller or the user names is a copy and leaves the stored flag alone.
  const bool intoBugRepFile = fileName.empty() && automatic;
  std::string path = fileName;
  if (intoBugRepFile) {
    path = settings.BugRepFile();
    if (!path.empty() && IsRelative(path)) path = ExecutableFolder() + path;
  } else if (path.empty()) {
    path = AskForFile(parent, settings);
  }
  if (path.empty()) return false;
  TBugRepEditOptions options;
  options.Append = settings.BoolValue("AppendBugReps");
  const bool isException = !ReportHeaderValue(report, "exception class").empty();
  options.NoDup = settings.BoolValue(isException ? "NoDupExcepts" : "NoDupFreezes");
  options.DupDef = settings.IntValue(isException ? "DupExceptDef" : "DupFreezeDef");
  options.SizeLimit = settings.UIntValue("BugRepFileSize");
  if (!EditFile(path, report, options)) return false;
  if (intoBugRepFile && exception) exception->Stored = true;
  return true;
}

bool CopyToClipboard(const std::string& text) {
  // Windows: a clipboard opened without an owner window is emptied to no
  // owner, and SetClipboardData then fails; the reporter's message window
  // owns it.
  if (!OpenClipboard(reinterpret_cast<HWND>(MessageWindow()))) return false;
  const base::ScopeExit close([] { CloseClipboard(); });
  EmptyClipboard();
  base::GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!block) return false;
  void* bytes = GlobalLock(block.get());
  if (!bytes) return false;
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(block.get());
  // The clipboard owns the block once it took it.
  if (!SetClipboardData(CF_TEXT, block.get())) return false;
  block.release();
  return true;
}

TSuccessor StartSuccessor(const TExceptionHistory& history) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  TSuccessor successor;
  PROCESS_INFORMATION& pi = successor.Process;
  std::string commandLine = GetCommandLineA();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                      &pi)) {
    successor.Error = GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
  } else {
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES sa{sizeof sa, &sd, FALSE};
    const std::string name = "QuorExceptRestart" + DollarHex(pi.dwProcessId);
    // This process's handles (the mapping, the new process and its thread)
    // stay open: it ends below, and the new process holds its own duplicate
    // of the mapping.
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, &sa, PAGE_READWRITE, 0, kRestartRecordSize, name.c_str());
    if (mapping) {
      if (const base::MappedView view(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, kRestartRecordSize)); view) {
        auto* record = static_cast<uint32_t*>(view.get());
        HANDLE inNew = nullptr;
        DuplicateHandle(GetCurrentProcess(), mapping, pi.hProcess, &inNew, 0, FALSE, DUPLICATE_SAME_ACCESS);
        record[0] = GetCurrentProcessId();
        record[1] = base::AddressOf(inNew);
        std::memcpy(record + 2, history.data(), sizeof history);
      }
    }
  }
  return successor;
}

void HandOverToSuccessor(const TSuccessor& successor) {
  ResumeThread(successor.Process.hThread);
  TerminateProcess(GetCurrentProcess(), 2);
  ExitProcess(2);
}

void CloseProcess() {
  TerminateProcess(GetCurrentProcess(), 1);
  ExitProcess(1);
}

void TakeOverRestartHistory(TExceptionHistory& history) {
  const std::string name = "QuorExceptRestart" + DollarHex(GetCurrentProcessId());
  const base::KernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
  if (!mapping) return;
  if (const base::MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0)); view) {
    const auto* record = static_cast<const uint32_t*>(view.get());
    // The old process put a duplicate of its mapping handle into this one,
    // to keep the block alive until this process opened it: now let it go.
    CloseHandle(base::PointerAt<void>(record[1]));
    if (const base::KernelHandle old(OpenProcess(SYNCHRONIZE, FALSE, record[0])); old)
      WaitForSingleObject(old.get(), INFINITE);
    std::memcpy(history.data(), record + 2, sizeof history);
  }
}

}  // namespace quor
