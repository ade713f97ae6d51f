// Timing harness (run under Wine): repainting the whole main window in each
// internal skin, from clean caches (every skinned control copies its cache)
// and from dirty ones (every skinned control rebuilds its cache first); the
// skinned frame repainted on activation, and the whole window repainted at
// each step of a live resize (goal for both: under 5 ms).
//   wine mainpaint_bench.exe [repaints]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench/ShownMainForm.h"
#include "bench/StepTimes.h"
#include "skin/sConst.h"
#include "skin/sSkinProvider.h"

namespace {

BOOL CALLBACK MarkDirty(HWND h, LPARAM) {
  SendMessageW(h, skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_SETCACHEDIRTY), 0);
  return TRUE;
}

Times Repaint(HWND form, int count, bool dirty) {
  return Measure(
      count, [&](int) { if (dirty) EnumChildWindows(form, MarkDirty, 0); },
      [&](int) { RedrawWindow(form, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); });
}

// The frame on activation and deactivation, in turn; with `rebuilt` the
// frame picture is painted anew each time (as after any change of the
// frame), else the pictures of both states are there.
Times Activation(HWND form, int count, bool rebuilt) {
  skin::TsSkinProvider* provider = skin::ProviderOf(form);
  return Measure(
      count, [&](int) { if (rebuilt) provider->UpdateFrame(); },
      [&](int i) { SendMessageW(form, WM_NCACTIVATE, i % 2, 0); });
}

// One step of a live resize: the window grows or shrinks by a pixel each
// way and is repainted whole, frame and shape included.
Times LiveResize(HWND form, int count) {
  RECT r;
  GetWindowRect(form, &r);
  return Measure(count, [](int) {}, [&](int i) {
    const int d = i % 2;
    SetWindowPos(form, nullptr, 0, 0, r.right - r.left + d, r.bottom - r.top + d, SWP_NOMOVE | SWP_NOZORDER);
    RedrawWindow(form, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  tk::TApplication app;
  Tform_main* form = ShowMainForm(app);
  RECT r;
  GetClientRect(form->Handle(), &r);
  std::printf("main window %ld x %ld, %d repaints each, fastest / median in ms\n", r.right, r.bottom, count);
  for (const char* name : kInternalSkinNames) {
    form->sSkinManager1->SetSkinName(name);
    app.ProcessMessages();
    const Times clean = Repaint(form->Handle(), count, false), dirty = Repaint(form->Handle(), count, true);
    std::printf("%-26s clean caches %6.2f / %6.2f   dirty caches %6.2f / %6.2f\n", name, clean.fastest, clean.median,
                dirty.fastest, dirty.median);
    const Times frame = Activation(form->Handle(), count, false), rebuilt = Activation(form->Handle(), count, true);
    const Times resize = LiveResize(form->Handle(), count);
    std::printf("%-26s frame on activation %6.2f / %6.2f   painted anew %6.2f / %6.2f   live-resize step %6.2f / %6.2f\n",
                "", frame.fastest, frame.median, rebuilt.fastest, rebuilt.median, resize.fastest, resize.median);
  }
  return 0;
}
