// Timing harness (run under Wine): opening the main window's skinned system
// menu with Alt+Space until the menu is shown and painted, in each internal
// skin (goal: under 30 ms). The menu's loop tells its owner when it has
// nothing more to do (WM_ENTERIDLE): that ends a measurement and the menu.
//   wine menuopen_bench.exe [openings]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/ShownMainForm.h"

namespace {

LARGE_INTEGER idleAt;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  tk::TApplication app;
  Tform_main* form = ShowMainForm(app);
  app.HookMainWindow([](const tk::TMessage& m, const tk::TMessageHandler& next) -> intptr_t {
    if (m.msg == WM_ENTERIDLE && m.wParam == MSGF_MENU && idleAt.QuadPart == 0) {
      QueryPerformanceCounter(&idleAt);
      EndMenu();
    }
    return next(m);
  });
  std::printf("system menu opened by Alt+Space until shown and idle, %d openings, fastest / median in ms\n", count);
  for (const char* name : kInternalSkinNames) {
    form->sSkinManager1->SetSkinName(name);
    app.ProcessMessages();
    std::vector<double> ms;
    for (int i = 0; i < count; ++i) {
      idleAt.QuadPart = 0;
      LARGE_INTEGER start;
      QueryPerformanceCounter(&start);
      SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
      app.ProcessMessages();
      if (idleAt.QuadPart) ms.push_back(Milliseconds(start, idleAt));
    }
    std::sort(ms.begin(), ms.end());
    if (ms.empty())
      std::printf("%-26s the menu never went idle\n", name);
    else
      std::printf("%-26s %6.2f / %6.2f\n", name, ms.front(), ms[ms.size() / 2]);
  }
  return 0;
}
