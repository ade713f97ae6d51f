// The handling pipeline around the report, in a program built like the
// product (PauseThreads on, no box unless a test asks for one): the
// blocked-process test and handling while the loader lock is held, the
// temporary folder, pausing the program's threads, and the build-layout
// record that the build wrote into this program.
#include <windows.h>

#include <gtest/gtest.h>

#include <process.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include "report/handling/quorExceptPipeline.h"
#include "report/intercept/quorCalibration.h"
#include "report/intercept/quorExceptThreads.h"
#include "report/intercept/quorPauseThreads.h"
#include "report/intercept/quorProcessBlocked.h"
#include "report/settings/quorSettingsLookup.h"
#include "report/settings/quorPresentation.h"
#include "report/settings/quorSettingsObject.h"
#include "report/storage/quorBugRepFile.h"
#include "report/storage/quorBugRepStore.h"
#include "report/storage/quorPrintReport.h"
#include "report/storage/quorTempFolder.h"
#include "report/symbols/quorCalibrationRecord.h"
#include "tests/report/box/ExceptionBoxFinder.h"
#include "toolkit/SysExceptions.h"

namespace {

// Reports go into a file of the test's own, not beside the program.
const struct TReportFile {
  TReportFile() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    (void)quor::MainSettings()->SetBugRepFile(std::string(folder) + "quorPipeline_test\\bugreport.log");
  }
} g_reportFile;

using TLdrLockLoaderLock = LONG(WINAPI*)(ULONG flags, ULONG* disposition, ULONG_PTR* cookie);
using TLdrUnlockLoaderLock = LONG(WINAPI*)(ULONG flags, ULONG_PTR cookie);
using TPebLock = void(WINAPI*)();

template <class Fn>
Fn NtdllCall(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

// The platform's own calls that take and give back the two locks.
struct TLocks {
  TLdrLockLoaderLock LockLoader = NtdllCall<TLdrLockLoaderLock>("LdrLockLoaderLock");
  TLdrUnlockLoaderLock UnlockLoader = NtdllCall<TLdrUnlockLoaderLock>("LdrUnlockLoaderLock");
  TPebLock AcquirePeb = NtdllCall<TPebLock>("RtlAcquirePebLock");
  TPebLock ReleasePeb = NtdllCall<TPebLock>("RtlReleasePebLock");
};

const TLocks& Locks() {
  static const TLocks locks;
  return locks;
}

enum class TLock { Loader, Peb };

// A thread that holds one of the locks for `holdMs` milliseconds; `Taken`
// is set once it holds it.
struct THolder {
  TLock Lock;
  DWORD HoldMs;
  HANDLE Taken = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE Thread = nullptr;

  static DWORD WINAPI Run(void* p) {
    auto& h = *static_cast<THolder*>(p);
    ULONG_PTR cookie = 0;
    if (h.Lock == TLock::Loader)
      Locks().LockLoader(0, nullptr, &cookie);
    else
      Locks().AcquirePeb();
    SetEvent(h.Taken);
    Sleep(h.HoldMs);
    if (h.Lock == TLock::Loader)
      Locks().UnlockLoader(0, cookie);
    else
      Locks().ReleasePeb();
    return 0;
  }
  THolder(TLock lock, DWORD holdMs) : Lock(lock), HoldMs(holdMs) {
    Thread = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
    WaitForSingleObject(Taken, INFINITE);
  }
  ~THolder() {
    WaitForSingleObject(Thread, INFINITE);
    CloseHandle(Thread);
    CloseHandle(Taken);
  }
};

TEST(ProcessBlocked, AnswersWhileAnotherThreadHoldsALock) {
  ASSERT_TRUE(Locks().LockLoader && Locks().UnlockLoader && Locks().AcquirePeb && Locks().ReleasePeb);
  const struct {
    const char* what;
    TLock lock;
    DWORD holdMs, waitMs;
    bool blocked;
  } cases[] = {
      {"loader lock held throughout", TLock::Loader, 600, 100, true},
      {"environment lock held throughout", TLock::Peb, 600, 100, true},
      {"loader lock let go during the wait", TLock::Loader, 150, 2000, false},
      {"environment lock let go during the wait", TLock::Peb, 150, 2000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    THolder holder(c.lock, c.holdMs);
    EXPECT_EQ(quor::ProcessBlocked(c.waitMs), c.blocked);
    EXPECT_FALSE(quor::ProcessLockHeldHere());
  }
  EXPECT_FALSE(quor::ProcessBlocked(0));
}

TEST(ProcessBlocked, OwnLockDoesNotBlockButIsHeldHere) {
  ULONG_PTR cookie = 0;
  Locks().LockLoader(0, nullptr, &cookie);
  const bool blocked = quor::ProcessBlocked(0), here = quor::ProcessLockHeldHere();
  Locks().UnlockLoader(0, cookie);
  EXPECT_FALSE(blocked);
  EXPECT_TRUE(here);
  EXPECT_FALSE(quor::ProcessLockHeldHere());
}

// A state report from a thread of its own; `ownLoaderLock`: the thread holds
// the loader lock while it reports (a fault inside a library's start-up).
struct TReporter {
  bool OwnLoaderLock;
  std::string Text;

  static DWORD WINAPI Run(void* p) {
    auto& r = *static_cast<TReporter*>(p);
    ULONG_PTR cookie = 0;
    if (r.OwnLoaderLock) Locks().LockLoader(0, nullptr, &cookie);
    quor::THandleArgs a;
    a.Kind = 1;
    a.Source = quor::kSourceExplicit;
    a.ReportOut = &r.Text;
    quor::HandleException(a);
    if (r.OwnLoaderLock) Locks().UnlockLoader(0, cookie);
    return 0;
  }
};

// The handler thread would wait for the lock that the reporting thread
// holds, or that another thread keeps for a long time: the report is made
// in the reporting thread and completes.
TEST(ProcessBlocked, ReportCompletesWhileTheLoaderLockIsHeld) {
  const struct {
    const char* what;
    bool ownLock;
    DWORD otherHoldsMs;
  } cases[] = {
      {"the reporting thread holds it", true, 0},
      {"another thread holds it for a second", false, 1000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TReporter reporter{c.ownLock, {}};
    DWORD waited = WAIT_TIMEOUT;
    {
      std::unique_ptr<THolder> holder;
      if (c.otherHoldsMs) holder = std::make_unique<THolder>(TLock::Loader, c.otherHoldsMs);
      HANDLE thread = CreateThread(nullptr, 0, &TReporter::Run, &reporter, 0, nullptr);
      waited = WaitForSingleObject(thread, 30000);
      ASSERT_EQ(waited, WAIT_OBJECT_0) << "the report did not complete";
      CloseHandle(thread);
    }
    EXPECT_EQ(quor::ReportHeaderValue(reporter.Text, "exception message"), "The application seems to be frozen.");
    EXPECT_EQ(quor::ReportHeaderValue(reporter.Text, "callstack crc").size(), 31u);
  }
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(TempFolder, NamedAfterTheExecutableCreatedAndClearedByEveryHandling) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string expected(temp);
  if (expected.back() != '\\') expected += '\\';
  expected += "quorPipeline_test.QuorExcept\\";
  const std::string folder = quor::TempFolder();
  EXPECT_EQ(folder, expected);
  ASSERT_TRUE(Exists(folder));
  for (const char* name : {"screenShot.png", "report.zip"}) {
    HANDLE f = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
  }
  SetFileAttributesA((folder + "report.zip").c_str(), FILE_ATTRIBUTE_READONLY);
  std::string text;
  quor::THandleArgs a;
  a.Kind = 1;
  a.ReportOut = &text;
  quor::HandleException(a);
  EXPECT_FALSE(Exists(folder));
}

unsigned __stdcall WaitForStop(void* stop) {
  WaitForSingleObject(stop, INFINITE);
  return 0;
}

void __cdecl WaitForStopPlain(void* stop) { WaitForSingleObject(stop, INFINITE); }

// Threads started through the C runtime or the C++ library name the
// program's code as their creator, not the runtime's start routines; such
// threads are the ones a report pauses.
TEST(ThreadHooks, CreatorIsTheProgramsCode) {
  const HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  const auto own = [](uint32_t address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(address), &module);
    return module == GetModuleHandleA(nullptr);
  };
  // Each starter returns the new thread's id; the thread waits for `stop`.
  const struct {
    const char* what;
    uint32_t (*start)(HANDLE stop);
  } cases[] = {
      {"CreateThread",
       [](HANDLE stop) {
         DWORD id = 0;
         CloseHandle(CreateThread(nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(&WaitForStop), stop, 0, &id));
         return uint32_t{id};
       }},
      {"_beginthreadex",
       [](HANDLE stop) {
         unsigned id = 0;
         CloseHandle(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &WaitForStop, stop, 0, &id)));
         return uint32_t{id};
       }},
      {"_beginthread",
       [](HANDLE stop) {
         const auto thread = reinterpret_cast<HANDLE>(_beginthread(&WaitForStopPlain, 0, stop));
         return thread == reinterpret_cast<HANDLE>(-1) ? 0u : uint32_t{GetThreadId(thread)};
       }},
      {"std::thread",
       [](HANDLE stop) {
         std::atomic<uint32_t> id{0};
         std::thread([&id, stop] {
           id = GetCurrentThreadId();
           WaitForSingleObject(stop, INFINITE);
         }).detach();
         while (!id) Sleep(1);
         return id.load();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const uint32_t id = c.start(stop);
    ASSERT_NE(id, 0u);
    quor::TThreadRecord record;
    ASSERT_TRUE(quor::FindThreadRecord(id, record));
    EXPECT_TRUE(own(record.CreatorAddress)) << std::hex << record.CreatorAddress;
    EXPECT_EQ(record.CreatorThreadId, GetCurrentThreadId());
  }
  SetEvent(stop);
  Sleep(50);
  CloseHandle(stop);
}

// Counting threads: each loop retrieves messages (where a paused thread
// waits) and passes the gate with a last error of its own that it must get
// back.
struct TCounter {
  std::atomic<long> Count{0};
  std::atomic<long> LostErrors{0};
  std::atomic<bool> Stop{false};
  std::atomic<bool> Ended{false};

  void Loop() {
    for (DWORD n = 1; !Stop; ++n) {
      MSG msg;
      PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
      SetLastError(0x1000 + n);
      quor::PauseGate();
      if (GetLastError() != 0x1000 + n) ++LostErrors;
      ++Count;
      Sleep(1);
    }
  }
  static DWORD WINAPI Thread(void* p) {
    static_cast<TCounter*>(p)->Loop();
    static_cast<TCounter*>(p)->Ended = true;
    return 0;
  }
};

DWORD WINAPI ReportRangeError(void*) {
  const tk::ERangeError error("Range check error");
  quor::THandleArgs a;
  a.Object = &error;
  a.Type = &typeid(error);
  a.Source = quor::kSourceAppHandle;
  quor::HandleException(a);
  return 0;
}

// A dialog of this process (Save As, printing).
HWND FindDialog(DWORD waitMs) {
  for (DWORD waited = 0; waited < waitMs; waited += 20) {
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", nullptr))) {
      DWORD process = 0;
      GetWindowThreadProcessId(box, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(box)) return box;
    }
    Sleep(20);
  }
  return nullptr;
}

// Save As and printing refuse at once, with a beep, while another thread
// holds the loader lock: the dialogs would wait for it, and so would
// anything on the way to the beep that loads a library or starts a thread.
TEST(ProcessBlocked, SaveAsAndPrintingRefuseWhileAnotherThreadHoldsTheLoaderLock) {
  struct TAsker {
    bool (*ask)();
    HANDLE Ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE Go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE Done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool Result = true;
    DWORD Ms = 0;
    static DWORD WINAPI Run(void* p) {
      auto& a = *static_cast<TAsker*>(p);
      SignalObjectAndWait(a.Ready, a.Go, INFINITE, FALSE);
      const DWORD start = GetTickCount();
      a.Result = a.ask();
      a.Ms = GetTickCount() - start;
      SetEvent(a.Done);
      return 0;
    }
  };
  const struct {
    const char* what;
    bool (*ask)();
  } cases[] = {
      {"Save As",
       [] { return quor::StoreBugReport("", "report\r\n", nullptr, *quor::MainSettings(), false, nullptr); }},
      {"printing", [] { return quor::PrintReport("report\r\n", nullptr, quor::MainSettings().get()); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TAsker asker{c.ask};
    // Running before the lock is taken: a thread starting later would wait
    // for it before it runs any code.
    HANDLE thread = CreateThread(nullptr, 0, &TAsker::Run, &asker, 0, nullptr);
    WaitForSingleObject(asker.Ready, INFINITE);
    {
      THolder holder(TLock::Loader, 1500);
      SetEvent(asker.Go);
      // Not the thread's end: a thread ends only once the lock is free.
      EXPECT_EQ(WaitForSingleObject(asker.Done, 1200), WAIT_OBJECT_0) << "waited for the loader lock";
      if (const HWND box = FindDialog(20)) {
        ADD_FAILURE() << "a dialog appeared";
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
      }
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(asker.Go);
    CloseHandle(asker.Ready);
    CloseHandle(asker.Done);
    EXPECT_FALSE(asker.Result);
    EXPECT_LT(asker.Ms, 1000u);
  }
}

// While the exception box is shown, the threads the program started (through
// the platform or the C++ library) stand still; a thread of the platform's
// pool goes on; after the box closes they all count again.
TEST(PauseThreads, ProgramThreadsStandStillWhileTheBoxIsShown) {
  ASSERT_TRUE(quor::MainSettings()->SetGnShowCfg(quor::kPresentFullBox));
  TCounter program, pool, library;
  HANDLE worker = CreateThread(nullptr, 0, &TCounter::Thread, &program, 0, nullptr);
  std::thread libraryWorker(&TCounter::Thread, &library);
  ASSERT_TRUE(QueueUserWorkItem(&TCounter::Thread, &pool, WT_EXECUTELONGFUNCTION));
  Sleep(100);
  ASSERT_GT(program.Count.load(), 0);
  ASSERT_GT(library.Count.load(), 0);
  ASSERT_GT(pool.Count.load(), 0);

  HANDLE reporter = CreateThread(nullptr, 0, &ReportRangeError, nullptr, 0, nullptr);
  const HWND box = quor_test::FindExceptionBox(GetCurrentProcessId(), 10000);
  ASSERT_TRUE(box);
  Sleep(100);  // the worker reaches its gate
  const long programPaused = program.Count, libraryPaused = library.Count, poolPaused = pool.Count;
  Sleep(300);
  EXPECT_EQ(program.Count.load(), programPaused);
  EXPECT_EQ(library.Count.load(), libraryPaused);
  EXPECT_GT(pool.Count.load(), poolPaused);

  // The close box continues the program.
  quor_test::CloseExceptionBox(box);
  EXPECT_EQ(WaitForSingleObject(reporter, 10000), WAIT_OBJECT_0);
  Sleep(200);
  EXPECT_GT(program.Count.load(), programPaused);
  EXPECT_GT(library.Count.load(), libraryPaused);
  EXPECT_EQ(program.LostErrors.load(), 0);
  EXPECT_EQ(library.LostErrors.load(), 0);
  EXPECT_EQ(pool.LostErrors.load(), 0);

  program.Stop = library.Stop = pool.Stop = true;
  WaitForSingleObject(worker, INFINITE);
  libraryWorker.join();
  CloseHandle(worker);
  CloseHandle(reporter);
  while (!pool.Ended) Sleep(10);
  EXPECT_TRUE(quor::MainSettings()->SetGnShowCfg(quor::kPresentNothing));
}

IMAGE_OPTIONAL_HEADER32& LoadedHeader() {
  auto* base = reinterpret_cast<uint8_t*>(GetModuleHandleA(nullptr));
  return reinterpret_cast<IMAGE_NT_HEADERS32*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew)
      ->OptionalHeader;
}

// The build wrote the record from the linked image; the calibration at
// start-up set the loaded header from it, which gives the linked layout, and
// a header changed since is set again.
TEST(Calibration, RecordGivesTheLinkedLayoutBack) {
  char path[MAX_PATH];
  ASSERT_NE(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  quor::TPeHeaders linked;
  ASSERT_TRUE(quor::ReadPeHeaders(file.data(), file.size(), linked));

  const HMODULE exe = GetModuleHandleA(nullptr);
  const HRSRC found = FindResourceA(exe, "CALIBRATE", "QUOR");
  ASSERT_TRUE(found);
  quor::TCalibrationRecord record;
  ASSERT_TRUE(quor::ReadCalibrationRecord(static_cast<const uint8_t*>(LockResource(LoadResource(exe, found))),
                                          SizeofResource(exe, found), record));
  const auto base = reinterpret_cast<uintptr_t>(exe);
  EXPECT_EQ(record.CodeAnchor, reinterpret_cast<uintptr_t>(&quorCalibrationCode) - base - linked.BaseOfCode);
  EXPECT_EQ(record.DataAnchor, reinterpret_cast<uintptr_t>(&quorCalibrationData) - base - linked.BaseOfData);
  EXPECT_EQ(record.SizeOfCode, linked.SizeOfCode);

  IMAGE_OPTIONAL_HEADER32& h = LoadedHeader();
  const auto expectLinked = [&] {
    EXPECT_EQ(h.BaseOfCode, linked.BaseOfCode);
    EXPECT_EQ(h.BaseOfData, linked.BaseOfData);
    EXPECT_EQ(h.SizeOfCode, linked.SizeOfCode);
    EXPECT_EQ(h.SizeOfInitializedData, linked.SizeOfInitializedData);
    EXPECT_EQ(h.SizeOfUninitializedData, linked.SizeOfUninitializedData);
  };
  expectLinked();
  MEMORY_BASIC_INFORMATION mbi;
  ASSERT_TRUE(VirtualQuery(&h, &mbi, sizeof mbi));
  const DWORD protection = mbi.Protect;
  DWORD old = 0;
  ASSERT_TRUE(VirtualProtect(&h, sizeof h, PAGE_READWRITE, &old));
  h.BaseOfCode = h.BaseOfData = h.SizeOfCode = h.SizeOfInitializedData = h.SizeOfUninitializedData = 0x1234;
  VirtualProtect(&h, sizeof h, old, &old);
  EXPECT_EQ(quor::CalibrateModules(), 1u);
  expectLinked();
  ASSERT_TRUE(VirtualQuery(&h, &mbi, sizeof mbi));
  EXPECT_EQ(mbi.Protect, protection);  // the header's protection is back
}

}  // namespace
