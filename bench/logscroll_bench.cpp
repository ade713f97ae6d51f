// Timing harness (run under Wine): one scroll step of the main window's log
// holding 10,000 lines, scrolled down a line (SB_LINEDOWN) and repainted,
// in each internal skin. A step repaints the log's changed lines and its
// bar; the frame and the rest of the window stay as they are.
//   wine logscroll_bench.exe [steps]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/ShownMainForm.h"
#include "bench/StepTimes.h"
#include "skin/sMemo.h"

namespace {

constexpr int kLogLines = 10000;

void FillLog(HWND memo) {
  std::string text;
  for (int i = 0; i < kLogLines; ++i) text += "0000ABCD: C:\\some folder\\file " + std::to_string(i) + ".bin\r\n";
  SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextA(memo, text.c_str());
}

Times ScrollSteps(tk::TApplication& app, HWND memo, int count) {
  SendMessageW(memo, EM_LINESCROLL, 0, -kLogLines);
  app.ProcessMessages();
  return Measure(count, [](int) {}, [&](int) {
    SendMessageW(memo, WM_VSCROLL, SB_LINEDOWN, 0);
    UpdateWindow(memo);
  });
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, kLogLines / 2) : 200;
  tk::TApplication app;
  Tform_main* form = ShowMainForm(app);
  const HWND memo = form->sMemo1->Handle();
  FillLog(memo);
  app.ProcessMessages();
  std::printf("log of %d lines, %d scroll steps each, fastest / median in ms\n",
              static_cast<int>(SendMessageW(memo, EM_GETLINECOUNT, 0, 0)), count);
  for (const char* name : kInternalSkinNames) {
    form->sSkinManager1->SetSkinName(name);
    app.ProcessMessages();
    const Times step = ScrollSteps(app, memo, count);
    std::printf("%-26s scroll step %6.2f / %6.2f\n", name, step.fastest, step.median);
  }
  return 0;
}
