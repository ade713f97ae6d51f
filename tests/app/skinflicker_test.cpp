// Skinned windows do not flicker: a repaint of the whole main window draws
// every skinned window exactly once on screen (its finished picture), with
// clean caches as with dirty ones, and erasing their background draws nothing.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/GdiDrawCounter.h"
#include "tests/app/MainFormFixture.h"

namespace {

class SkinFlickerTest : public PerSkinTest {
protected:
  static std::string Name(HWND h) {
    wchar_t text[64] = {};
    GetWindowTextW(h, text, 64);
    char out[64] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
  }
};

TEST_P(SkinFlickerTest, EverySkinnedWindowIsDrawnOncePerRepaint) {
  const std::vector<HWND> windows = SkinnedWindows();
  ASSERT_GE(windows.size(), 5u);
  GdiDrawCounter counter;
  ASSERT_GT(counter.Patched(), 0u);
  for (bool dirty : {false, true}) {
    if (dirty)
      for (HWND h : windows) SendMessageW(h, skin::SM_SKINCMD, skin::MakeSkinCmd(skin::SKC_SETCACHEDIRTY), 0);
    counter.Clear();
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (HWND h : windows)
      EXPECT_EQ(counter.DrawsInto(h), 1) << "window \"" << Name(h) << "\"" << (dirty ? ", dirty caches" : "");
  }
}

TEST_P(SkinFlickerTest, ErasingASkinnedWindowDrawsNothing) {
  for (HWND h : SkinnedWindows()) {
    skin::TsBitmap24 sentinel(8, 8);
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 8; ++x) sentinel.SetPixel(x, y, 0x123456);
    const skin::TsBitmap24 before = sentinel;
    {
      skin::TsDibCanvas canvas(sentinel);
      SendMessageW(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0);
    }
    EXPECT_TRUE(sentinel == before) << "window \"" << Name(h) << "\"";
  }
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinFlickerTest, kInternalSkins, SkinTestName);

}  // namespace
