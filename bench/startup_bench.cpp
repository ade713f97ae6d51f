// Timing harness (run under Wine): start → main window painted, for the
// program and for a bare Win32 window with the same standard controls,
// started alternately (the machine is shared), and the ratio of the medians.
//   wine startup_bench.exe [rounds] [program] [bare window program]
// "Painted" is observed from outside, without help from the program: a
// visible top-level window of the new process whose own update region and
// those of all its child windows are empty (the paint has begun everywhere),
// and then a message sent to it has come back (its thread has left the paint
// handlers and returned to the message loop).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef SORVENAL_EXE
#error "SORVENAL_EXE names the program to time"
#endif
#ifndef BARE_WINDOW_EXE
#error "BARE_WINDOW_EXE names the bare window program"
#endif

namespace {

constexpr int kDefaultRounds = 15;
constexpr DWORD kPollMs = 1;
constexpr DWORD kGiveUpMs = 20000;
constexpr UINT kReplyTimeoutMs = 5000;

struct TFind {
  DWORD Process;
  HWND Window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM p) {
  auto* find = reinterpret_cast<TFind*>(p);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != find->Process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
  find->Window = window;
  return FALSE;
}

BOOL CALLBACK FindUnpainted(HWND window, LPARAM p) {
  // Wine: the update region of another process's window is asked of the
  // server, like that of one's own.
  if (!IsWindowVisible(window) || !GetUpdateRect(window, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(p) = true;
  return FALSE;
}

bool Painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  EnumChildWindows(window, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  if (unpainted) return false;
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kReplyTimeoutMs, &ignored) != 0;
}

double Milliseconds(const LARGE_INTEGER& from) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct TStart {
  double Visible = -1, Painted = -1;  // milliseconds after the process was created; -1: never
};

// Starts the program, waits for its painted window, closes it the ordinary
// way and waits for the process to end.
TStart TimeStart(const std::string& program) {
  TStart result;
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return result;
  TFind find{process.dwProcessId, nullptr};
  while (Milliseconds(start) < kGiveUpMs) {
    if (!find.Window) {
      EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&find));
      if (find.Window) result.Visible = Milliseconds(start);
    }
    if (find.Window && Painted(find.Window)) {
      result.Painted = Milliseconds(start);
      break;
    }
    if (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0) break;
  }
  if (find.Window) PostMessageW(find.Window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, kGiveUpMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

double Median(std::vector<double> values) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct TSeries {
  std::vector<double> Visible, Painted;
  int Failed = 0;
  void Add(const TStart& s) {
    if (s.Painted < 0) {
      ++Failed;
      return;
    }
    Visible.push_back(s.Visible);
    Painted.push_back(s.Painted);
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
  const std::string program = argc > 2 ? argv[2] : SORVENAL_EXE, bare = argc > 3 ? argv[3] : BARE_WINDOW_EXE;
  // One start of each first, not counted: it brings both files into the cache.
  (void)TimeStart(program);
  (void)TimeStart(bare);
  TSeries product, yardstick;
  for (int i = 0; i < rounds; ++i) {
    // Alternating which one goes first spreads the machine's other load.
    if (i % 2 == 0) product.Add(TimeStart(program));
    yardstick.Add(TimeStart(bare));
    if (i % 2 == 1) product.Add(TimeStart(program));
    std::printf("round %2d: program %7.1f ms, bare window %7.1f ms\n", i + 1,
                product.Painted.empty() ? -1.0 : product.Painted.back(),
                yardstick.Painted.empty() ? -1.0 : yardstick.Painted.back());
  }
  const double p = Median(product.Painted), b = Median(yardstick.Painted);
  std::printf("medians of %d rounds, ms     start -> visible   start -> painted\n", rounds);
  std::printf("program      %s  %8.1f  %8.1f\n", program.c_str(), Median(product.Visible), p);
  std::printf("bare window  %s  %8.1f  %8.1f\n", bare.c_str(), Median(yardstick.Visible), b);
  std::printf("ratio (start -> painted)  %.2f\n", b > 0 ? p / b : 0.0);
  if (product.Failed || yardstick.Failed)
    std::printf("starts without a painted window: program %d, bare window %d\n", product.Failed, yardstick.Failed);
  return product.Failed || yardstick.Failed ? 1 : 0;
}
