// Timing harness (run under Wine): repainting the whole main window in each
// internal skin, from clean caches (every skinned control copies its cache)
// and from dirty ones (every skinned control rebuilds its cache first).
//   wine mainpaint_bench.exe [repaints]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/formmain.h"
#include "skin/sConst.h"
#include "skin/sRegister.h"
#include "toolkit/StdClasses.h"

namespace {

BOOL CALLBACK MarkDirty(HWND h, LPARAM) {
  SendMessageW(h, skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_SETCACHEDIRTY), 0);
  return TRUE;
}

struct Times {
  double fastest, median;
};

// Milliseconds of one whole-window repaint: the fastest (least disturbed by
// other work on the machine) and the median.
Times Repaint(HWND form, int count, bool dirty) {
  LARGE_INTEGER f, a, b;
  QueryPerformanceFrequency(&f);
  std::vector<double> ms;
  for (int i = 0; i < count; ++i) {
    if (dirty) EnumChildWindows(form, MarkDirty, 0);
    QueryPerformanceCounter(&a);
    RedrawWindow(form, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    QueryPerformanceCounter(&b);
    ms.push_back(1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart));
  }
  std::sort(ms.begin(), ms.end());
  return {ms.front(), ms[ms.size() / 2]};
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  tk::RegisterStandardClasses();
  skin::RegisterSkinClasses();
  tk::TApplication app;
  Tform_main* form = nullptr;
  app.CreateForm(form);
  form->Show();
  app.ProcessMessages();
  RECT r;
  GetClientRect(form->Handle(), &r);
  std::printf("main window %ld x %ld, %d repaints each, fastest / median in ms\n", r.right, r.bottom, count);
  for (const char* name : {"GrayPlastic (internal)", "Neutral (internal)", "Office12Style (internal)"}) {
    form->sSkinManager1->SetSkinName(name);
    app.ProcessMessages();
    const Times clean = Repaint(form->Handle(), count, false), dirty = Repaint(form->Handle(), count, true);
    std::printf("%-26s clean caches %6.2f / %6.2f   dirty caches %6.2f / %6.2f\n", name, clean.fastest, clean.median,
                dirty.fastest, dirty.median);
  }
  return 0;
}
