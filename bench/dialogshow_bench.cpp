// Timing harness (run under Wine): from the MessageBox call of the
// message-box routine to the box fully painted (nothing of it left to
// paint), skinned through the manager's hook against the
// same box with the skin switched off, in each internal skin, alternately;
// medians and their ratio (goal: at most 1.5).
//   wine dialogshow_bench.exe [boxes]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/ShownMainForm.h"
#include "skin/sMessageBox.h"

namespace {

LARGE_INTEGER g_painted;

// The thread's timer message comes only when no window of the thread has
// anything left to paint, so the first tick that finds the box shown is
// the moment it is fully painted. Wine: its message box loop sends no
// WM_ENTERIDLE, and timers tick at most every 10 ms, which is the floor of
// what this measures.
constexpr UINT kTickMs = USER_TIMER_MINIMUM;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  const HWND box = FindWindowW(L"#32770", nullptr);
  if (!box || !IsWindowVisible(box) || GetUpdateRect(box, nullptr, FALSE)) return;
  if (g_painted.QuadPart == 0) {
    QueryPerformanceCounter(&g_painted);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

double OneBox() {
  LARGE_INTEGER f, start;
  QueryPerformanceFrequency(&f);
  g_painted.QuadPart = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, &Tick);
  QueryPerformanceCounter(&start);
  skin::ShowMessageBox("File does not exist - Please select a file by clicking on the yellow folder",
                       skin::TMsgKind::Information, skin::mbOK);
  KillTimer(nullptr, timer);
  return 1000.0 * static_cast<double>(g_painted.QuadPart - start.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  tk::TApplication app;
  Tform_main* form = ShowMainForm(app);
  std::printf("MessageBox call to painted box, %d boxes each, medians in ms\n", count);
  for (const char* name : kInternalSkinNames) {
    form->sSkinManager1->SetSkinName(name);
    app.ProcessMessages();
    OneBox();  // what the system loads once
    std::vector<double> skinned, plain;
    for (int i = 0; i < count; ++i) {
      form->sSkinManager1->SetActive(true);
      app.ProcessMessages();
      skinned.push_back(OneBox());
      form->sSkinManager1->SetActive(false);
      app.ProcessMessages();
      plain.push_back(OneBox());
    }
    form->sSkinManager1->SetActive(true);
    const double s = Median(skinned), p = Median(plain);
    std::printf("%-26s skinned %7.2f   unskinned %7.2f   ratio %.2f\n", name, s, p, s / p);
  }
  return 0;
}
