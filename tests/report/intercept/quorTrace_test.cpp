// The process's shared thread list and the current-state report asked for
// from outside, in a program built like the product: quorTraceTool (built
// beside this program) starts a thread at our quorTraceProcess export;
// quorTraceTestDll carries a second copy of the reporter.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "report/handling/quorExceptPipeline.h"
#include "report/handling/quorStateReport.h"
#include "report/intercept/quorExceptBuf.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorFreezeWatchdog.h"
#include "report/intercept/quorThreadNaming.h"
#include "report/settings/quorPresentation.h"
#include "report/settings/quorSettingsObject.h"
#include "report/settings/quorSettingsResource.h"

namespace {

using quor::DollarHex;

std::string Section(const std::string& name, uint32_t threadId) { return name + " (" + DollarHex(threadId) + "):"; }

std::string BesideThisProgram(const char* file) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1) + file;
}

// Waits for the process, keeping this (the main) thread's messages flowing.
DWORD WaitPumping(HANDLE process, DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  while (MsgWaitForMultipleObjects(1, &process, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    if (int(until - GetTickCount()) < 0) return WAIT_TIMEOUT;
  }
  return WAIT_OBJECT_0;
}

HANDLE Start(std::string commandLine) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return nullptr;
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

struct TToolRun {
  DWORD ExitCode = 99;
  uint32_t ThreadId = 0;    // the thread the tool started in this process
  std::vector<char> Block;  // the tool's shared memory block afterwards
  [[nodiscard]] std::string Text() const { return std::string(Block.data(), strnlen(Block.data(), Block.size())); }
};

TToolRun RunTool(int32_t limit, uint32_t size, const char* blockName) {
  TToolRun run;
  char out[MAX_PATH];
  GetTempPathA(MAX_PATH, out);
  const std::string file = std::string(out) + "quorTrace_test.block";
  const std::string command = "\"" + BesideThisProgram("quorTraceTool.exe") + "\" " +
                              std::to_string(GetCurrentProcessId()) + " " + std::to_string(limit) + " " +
                              std::to_string(size) + " " + blockName + " \"" + file + "\"";
  HANDLE process = Start(command);
  if (!process) return run;
  if (WaitPumping(process, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process, &run.ExitCode);
  CloseHandle(process);
  HANDLE f = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return run;
  run.Block.resize(size);
  DWORD read = 0;
  ReadFile(f, &run.ThreadId, 4, &read, nullptr);
  ReadFile(f, run.Block.data(), size, &read, nullptr);
  run.Block.resize(read);
  CloseHandle(f);
  DeleteFileA(file.c_str());
  return run;
}

std::string RecordedName(uint32_t threadId) {
  quor::TThreadRecord r;
  return quor::FindThreadRecord(threadId, r) ? r.Name : "<no record>";
}

TEST(TraceProcess, ReportInTheToolsBlockShowsTheReportersThreadsUnderTheirNames) {
  const uint32_t watchdog = quor::FreezeWatchdogThreadId(), handler = quor::HandlerThreadId();
  ASSERT_NE(watchdog, 0u);
  ASSERT_NE(handler, 0u);
  const TToolRun run = RunTool(1 << 20, 1 << 20, "quorTraceProcessMap");
  ASSERT_EQ(run.ExitCode, 0u);
  const std::string text = run.Text();
  EXPECT_EQ(text.rfind("date/time", 0), 0u) << text.substr(0, 200);
  EXPECT_NE(text.find(Section("main thread", quor::MainThreadId())), std::string::npos);
  EXPECT_NE(text.find(Section("AntiFreezeThread", watchdog)), std::string::npos);
  EXPECT_NE(text.find(Section("HandleExceptionThread", handler)), std::string::npos);
  // The tool's thread is named "-" and left out.
  EXPECT_EQ(text.find("(" + DollarHex(run.ThreadId) + "):"), std::string::npos);
  EXPECT_EQ(text.find("thread " + DollarHex(run.ThreadId) + ":"), std::string::npos);
  // Afterwards the reporter's threads are "-" again and the tool's thread
  // has no record.
  EXPECT_EQ(RecordedName(watchdog), quor::kLibraryThreadName);
  EXPECT_EQ(RecordedName(handler), quor::kLibraryThreadName);
  EXPECT_EQ(RecordedName(run.ThreadId), "<no record>");
}

// With settings that show a box for every report, the state report still
// comes back to the tool without one.
TEST(TraceProcess, NoBoxWaitsForAPerson) {
  ASSERT_TRUE(quor::MainSettings()->SetGnShowCfg(quor::kPresentFullBox));
  const TToolRun run = RunTool(4096, 4096, "quorTraceProcessMap");
  ASSERT_TRUE(quor::MainSettings()->SetGnShowCfg(quor::kPresentNothing));
  EXPECT_EQ(run.ExitCode, 0u);
}

// The report is cut to limit - 1 characters and a zero; nothing after the
// zero is written. Both block names are found.
TEST(TraceProcess, LimitCutsTheReport) {
  const struct {
    const char* block;
    int32_t limit;
  } cases[] = {{"quorTraceProcessMap", 100}, {"Global\\quorTraceProcessMap", 100}, {"quorTraceProcessMap", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.block) + " " + std::to_string(c.limit));
    const TToolRun run = RunTool(c.limit, 4096, c.block);
    ASSERT_EQ(run.ExitCode, 0u);
    ASSERT_EQ(run.Block.size(), 4096u);
    EXPECT_EQ(run.Text().size(), size_t(c.limit - 1));
    const size_t n = std::min<size_t>(9, c.limit - 1);
    EXPECT_EQ(run.Text().substr(0, n), std::string("date/time").substr(0, n));
    EXPECT_EQ(std::string(run.Block.begin() + c.limit, run.Block.end()), std::string(4096 - c.limit, 'x'));
  }
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<no clipboard>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

TEST(TraceProcess, LimitZeroPutsTheReportOnTheClipboard) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  const TToolRun run = RunTool(0, 4096, "quorTraceProcessMap");
  ASSERT_EQ(run.ExitCode, 0u);
  EXPECT_EQ(run.Block, std::vector<char>(4096, 'x'));
  const std::string text = ClipboardText();
  EXPECT_EQ(text.rfind("date/time", 0), 0u) << text.substr(0, 200);
  EXPECT_NE(text.find(Section("HandleExceptionThread", quor::HandlerThreadId())), std::string::npos);
}

DWORD WINAPI WaitFor(void* event) {
  WaitForSingleObject(event, INFINITE);
  return 0;
}

// A thread started through the hooked creation; it runs until `stop` is set.
struct TWorker {
  HANDLE Stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD Id = 0;
  HANDLE Thread = CreateThread(nullptr, 0, &WaitFor, Stop, 0, &Id);
  ~TWorker() {
    SetEvent(Stop);
    WaitForSingleObject(Thread, INFINITE);
    CloseHandle(Thread);
    CloseHandle(Stop);
  }
};

TEST(ThreadList, NameAndCreatorAreKeptByLaterUpdates) {
  const TWorker worker;
  quor::TThreadRecord r;
  ASSERT_TRUE(quor::FindThreadRecord(worker.Id, r));  // written by the hooked creation
  EXPECT_EQ(r.CreatorThreadId, GetCurrentThreadId());
  EXPECT_NE(r.CreatorAddress, 0u);
  quor::SetThreadName(worker.Id, "worker");
  ASSERT_TRUE(quor::FindThreadRecord(worker.Id, r));
  EXPECT_EQ(r.Name, "worker");
  EXPECT_EQ(r.CreatorThreadId, GetCurrentThreadId());
  quor::RecordThreadCreator(worker.Id, 0x401000, 7, "TWorkerThread");
  ASSERT_TRUE(quor::FindThreadRecord(worker.Id, r));
  EXPECT_EQ(r.Name, "worker");
  EXPECT_EQ(r.ClassName, "TWorkerThread");
  EXPECT_EQ(r.CreatorAddress, 0x401000u);
  quor::RemoveThreadRecord(worker.Id);
  EXPECT_FALSE(quor::FindThreadRecord(worker.Id, r));
}

TEST(ThreadList, RecordOfAnEndedThreadIsDropped) {
  HANDLE stop = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, &WaitFor, stop, 0, &id);
  WaitForSingleObject(thread, INFINITE);  // our handle keeps the id from being reused
  quor::SetThreadName(id, "late");
  quor::TThreadRecord r;
  EXPECT_FALSE(quor::FindThreadRecord(id, r));
  CloseHandle(thread);
  CloseHandle(stop);
}

// Walks the shared list under its mutex.
std::vector<quor::ThreadInfoList*> ListRecords() {
  std::vector<quor::ThreadInfoList*> records;
  quor::QuorExceptBuf* buf = quor::ExceptBuf();
  WaitForSingleObject(buf->listMutex, INFINITE);
  for (quor::ThreadInfoList* r = buf->head; r; r = r->next) records.push_back(r);
  ReleaseMutex(buf->listMutex);
  return records;
}

// A copy that opens the block later takes the last record as the main
// thread: naming the main thread again keeps its record last.
TEST(ThreadList, MainThreadsRecordStaysLast) {
  const TWorker worker;
  quor::SetThreadName(quor::MainThreadId(), "main thread");
  quor::SetThreadName(worker.Id, "worker");
  const std::vector<quor::ThreadInfoList*> records = ListRecords();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back()->threadId, quor::MainThreadId());
  EXPECT_EQ(std::string(records.back()->name), "main thread");
}

// Records of older copies end after the first three fields: they are read
// without the others, and an update keeps their name.
TEST(ThreadList, ShortRecordOfAnOlderCopy) {
  const DWORD fakeId = 0x7FFFFFF0;
  const HANDLE heap = GetProcessHeap();
  auto* old = static_cast<quor::ThreadInfoList*>(HeapAlloc(heap, 0, 12));
  old->threadId = fakeId;
  old->name = static_cast<char*>(HeapAlloc(heap, 0, 4));
  std::memcpy(old->name, "old", 4);
  quor::QuorExceptBuf* buf = quor::ExceptBuf();
  WaitForSingleObject(buf->listMutex, INFINITE);
  old->next = buf->head;
  buf->head = old;
  ReleaseMutex(buf->listMutex);

  quor::TThreadRecord r;
  ASSERT_TRUE(quor::FindThreadRecord(fakeId, r));
  EXPECT_EQ(r.Name, "old");
  EXPECT_EQ(r.CreatorAddress, 0u);
  EXPECT_EQ(r.ClassName, "");
  quor::RecordThreadCreator(fakeId, 0x1234, 5, "TOld");
  ASSERT_TRUE(quor::FindThreadRecord(fakeId, r));
  EXPECT_EQ(r.Name, "old");
  EXPECT_EQ(r.ClassName, "TOld");
  EXPECT_EQ(r.CreatorAddress, 0x1234u);
  quor::RemoveThreadRecord(fakeId);
  EXPECT_FALSE(quor::FindThreadRecord(fakeId, r));
}

// The program's own handler of the naming exception (as a program that
// tells a debugger its thread names has one).
LONG CALLBACK ContinueAfterNaming(EXCEPTION_POINTERS* info) {
  return info->ExceptionRecord->ExceptionCode == quor::kThreadNamingCode ? EXCEPTION_CONTINUE_EXECUTION
                                                                         : EXCEPTION_CONTINUE_SEARCH;
}

TEST(ThreadNaming, NamingExceptionOfTheProgramNamesTheThread) {
  const TWorker worker;
  PVOID handler = AddVectoredExceptionHandler(0, &ContinueAfterNaming);
  const struct {
    const char* what;
    ULONG_PTR type, threadId, flags;
    uint32_t named;
    const char* expected;
  } cases[] = {
      {"another thread", 0x1000, worker.Id, 0, worker.Id, "named"},
      {"-1: the raising thread", 0x1000, ULONG_PTR(-1), 0, GetCurrentThreadId(), "named"},
      {"flags set", 0x1000, worker.Id, 1, worker.Id, "before"},
      {"another type", 0x1001, worker.Id, 0, worker.Id, "before"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    quor::SetThreadName(c.named, "before");
    const ULONG_PTR info[4] = {c.type, reinterpret_cast<ULONG_PTR>("named"), c.threadId, c.flags};
    RaiseException(quor::kThreadNamingCode, 0, 4, info);
    EXPECT_EQ(RecordedName(c.named), c.expected);
  }
  RemoveVectoredExceptionHandler(handler);
  quor::SetThreadName(quor::MainThreadId(), "main thread");
}

// What SetThreadName raises for a debugger comes back to the caller without
// any handler of the program (there is none here) and is not reported.
TEST(ThreadNaming, OwnRaiseForTheDebuggerIsIgnored) {
  const TWorker worker;
  quor::SetThreadName(worker.Id, "kept");
  quor::RaiseThreadNaming(worker.Id, "told");
  EXPECT_EQ(RecordedName(worker.Id), "kept");
}

using TStartDllWorker = DWORD (*)(HANDLE);
using TDllMainThreadId = DWORD (*)();

TEST(TwoCopies, ThreadOfTheLibrarysCopyIsNamedInTheExecutablesReport) {
  HMODULE dll = LoadLibraryA("quorTraceTestDll.dll");
  ASSERT_NE(dll, nullptr);
  const auto start = reinterpret_cast<TStartDllWorker>(GetProcAddress(dll, "StartDllWorker"));
  const auto mainThread = reinterpret_cast<TDllMainThreadId>(GetProcAddress(dll, "DllMainThreadId"));
  ASSERT_TRUE(start && mainThread);
  EXPECT_EQ(quor::ExceptBuf()->users, 2);
  EXPECT_EQ(mainThread(), quor::MainThreadId());

  HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const DWORD id = start(stop);
  ASSERT_NE(id, 0u);
  quor::TThreadRecord r;
  ASSERT_TRUE(quor::FindThreadRecord(id, r));
  // The creator was recorded by the library's copy: its code lies in the library.
  const auto base = reinterpret_cast<uint32_t>(dll);
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(dll)->e_lfanew);
  EXPECT_GE(r.CreatorAddress, base);
  EXPECT_LT(r.CreatorAddress, base + nt->OptionalHeader.SizeOfImage);
  const std::string text = quor::CurrentStateReport();
  const size_t at = text.find(Section("dll worker", id));
  ASSERT_NE(at, std::string::npos);
  EXPECT_NE(text.find(">> created by main thread (" + DollarHex(quor::MainThreadId()) + ") at:", at),
            std::string::npos);
  SetEvent(stop);
  CloseHandle(stop);
}

// The child's message box: its text, once it shows (at most 20 s).
std::string MessageBoxText(DWORD pid, HWND& box) {
  for (int i = 0; i < 200; ++i) {
    box = nullptr;
    while ((box = FindWindowExA(nullptr, box, nullptr, "QuorExcept")) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(box, &owner);
      if (owner != pid) continue;
      char text[256] = {};
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      return text;
    }
    Sleep(100);
  }
  return "<no box>";
}

// A name the shared block cannot take (an object of another kind holds it)
// ends the program at start-up after a message box, with exit code 0.
TEST(SharedBlock, BlockThatCannotBeOpenedEndsTheProgram) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + std::string(self) + "\" --gtest_filter=-*";
  ASSERT_TRUE(
      CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si, &pi));
  HANDLE taken = CreateEventA(nullptr, FALSE, FALSE, quor::ExceptBufName(pi.dwProcessId).c_str());
  ASSERT_NE(taken, nullptr);
  ResumeThread(pi.hThread);
  HWND box = nullptr;
  EXPECT_EQ(MessageBoxText(pi.dwProcessId, box), "internal error (opening global buffer)");
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(taken);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace
