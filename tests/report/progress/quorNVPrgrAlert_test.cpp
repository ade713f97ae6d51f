// The progress window in real windows: "Please wait..." without areas, the
// bar after area and position changes from the window's thread and from a
// worker without a message loop, closing from another thread, the user's
// close ignored, no focus taken when shown inactive, long texts wrapping,
// the owner's earlier enabled state restored, the icon blended on screen.
#include "report/progress/quorNVPrgrAlert.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "base/WinUser.h"
#include "base/WinWindowDc.h"
#include "report/progress/quorProgressWindow.h"

namespace quor {
namespace {

constexpr char kIcon[] = "QUORITESTWAIT";  // the test program's own raw icon

QuorPtr<IProgressAlert> NewAlert(const char* title, const char* icon = kIcon) {
  return NewProgressAlert(title, GetModuleHandleW(nullptr), icon);
}

HWND AlertWindow(const char* title) {
  return FindWindowW(kProgressWindowClass, std::wstring(title, title + std::strlen(title)).c_str());
}

// Shows the alert and finds its window by its title.
HWND Shown(IProgressAlert& alert, HWND owner = nullptr, bool activate = false) {
  alert.Show(owner, activate);
  return AlertWindow(alert.Title().c_str());
}

int BarOf(HWND window) { return int(SendMessageW(GetDlgItem(window, kProgressBarId), PBM_GETPOS, 0, 0)); }

std::wstring TextOf(HWND window) {
  wchar_t text[4096] = {};
  GetWindowTextW(window, text, int(std::size(text)));
  return text;
}

RECT RectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// A child's rectangle in its parent's client coordinates.
RECT ClientRectOf(HWND child) {
  RECT r = RectOf(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Dispatches this thread's messages until `done` holds or two seconds pass.
bool PumpUntil(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
  return done();
}

void Pump(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  (void)PumpUntil([end] { return std::chrono::steady_clock::now() >= end; });
}

// A plain top-level window with an edit that has the focus: the
// application the progress window must not disturb.
struct TestWindow {
  base::WindowHandle frame;
  HWND edit = nullptr;
  TestWindow() {
    frame.reset(CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, nullptr,
                                nullptr, nullptr, nullptr));
    edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 24, frame.get(), nullptr,
                           nullptr, nullptr);
    SetForegroundWindow(frame.get());
    SetFocus(edit);
    Pump(100);
  }
};

// The window's pixels as the screen shows them, rows top-down, 0x00RRGGBB;
// saved as a BMP file beside the test program.
// Wine: PrintWindow gives only the client area, so the screen is copied.
std::vector<uint32_t> Screenshot(HWND window, const char* name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  Pump(300);
  const RECT r = RectOf(window);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const base::WindowDc screen(nullptr);
  const base::MemoryDc memory(CreateCompatibleDC(screen.get()));
  const base::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), w, h));
  {
    const base::Selection selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
  }
  BITMAPINFOHEADER info{sizeof info, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<uint32_t> pixels(size_t(w) * size_t(h));
  GetDIBits(memory.get(), bitmap.get(), 0, UINT(h), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
            DIB_RGB_COLORS);
  const std::string path = std::string(QUOR_PROGRESS_SHOTS) + "/" + name;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    const DWORD bytes = DWORD(pixels.size() * 4);
    const BITMAPFILEHEADER file{0x4D42, DWORD(sizeof(BITMAPFILEHEADER) + sizeof info + bytes), 0, 0,
                                DWORD(sizeof(BITMAPFILEHEADER) + sizeof info)};
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info, sizeof info, 1, f);  // top-down: the height stays negative
    std::fwrite(pixels.data(), 1, bytes, f);
    std::fclose(f);
  }
  return pixels;
}

TEST(ProgressWindow, WithoutAreasItSaysPleaseWait) {
  auto alert = NewAlert("Progress: no areas");
  const HWND w = Shown(*alert);
  ASSERT_TRUE(w);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(TextOf(GetDlgItem(w, kProgressTextId)), L"Please wait...");
  EXPECT_EQ(BarOf(w), 0);
  const LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  alert->NextArea();  // one past the only area
  EXPECT_EQ(BarOf(w), 1000);
  alert->Show(nullptr, true);  // a second show does nothing
  EXPECT_EQ(AlertWindow("Progress: no areas"), w);
  alert->Close();
  EXPECT_FALSE(IsWindow(w));
}

// The steps of one planned progress and the bar after each.
struct Step {
  std::function<void(IProgressAlert&)> change;
  int bar;
  const wchar_t* text;
};

const std::vector<Step>& PlannedSteps() {
  static const std::vector<Step> steps = {
      {[](IProgressAlert& a) { a.SetCurrentArea(1); }, 714, L"Second"},  // 500 x 1000 div 700
      {[](IProgressAlert& a) { a.SetPosition(500); }, 785, L"Second"},
      {[](IProgressAlert& a) { a.NextArea(); }, 857, L"Second"},  // an empty text repeats the previous
      {[](IProgressAlert& a) { a.SetPosition(2000); }, 1000, L"Second"},
      {[](IProgressAlert& a) { a.SetCurrentArea(0); }, 0, L"First"},
      {[](IProgressAlert& a) { a.SetCurrentArea(3); }, 1000, L"Second"},
  };
  return steps;
}

QuorPtr<IProgressAlert> PlannedAlert(const char* title) {
  auto alert = NewAlert(title);
  alert->AddArea("First", 500);
  alert->AddArea("Second", 100);
  alert->AddArea("", 100);
  return alert;
}

TEST(ProgressWindow, BarFollowsAreasInTheWindowsThread) {
  auto alert = PlannedAlert("Progress: own thread");
  const HWND w = Shown(*alert);
  ASSERT_TRUE(w);
  for (size_t i = 0; i < PlannedSteps().size(); ++i) {
    PlannedSteps()[i].change(*alert);
    // Sent, not posted: the bar has its value at once.
    EXPECT_EQ(BarOf(w), PlannedSteps()[i].bar) << "step " << i;
    EXPECT_EQ(TextOf(GetDlgItem(w, kProgressTextId)), PlannedSteps()[i].text) << "step " << i;
  }
}

TEST(ProgressWindow, BarFollowsAreasFromAWorkerWithoutMessageLoop) {
  auto alert = PlannedAlert("Progress: worker");
  const HWND w = Shown(*alert);
  ASSERT_TRUE(w);
  for (size_t i = 0; i < PlannedSteps().size(); ++i) {
    // The worker ends before this thread dispatches anything: its updates
    // are posted, never sent.
    std::thread worker([&] { PlannedSteps()[i].change(*alert); });
    worker.join();
    EXPECT_TRUE(PumpUntil([&] { return BarOf(w) == PlannedSteps()[i].bar; })) << "step " << i << ": bar " << BarOf(w);
    EXPECT_EQ(TextOf(GetDlgItem(w, kProgressTextId)), PlannedSteps()[i].text) << "step " << i;
  }
}

TEST(ProgressWindow, AThreadWithoutMessageLoopKeepsItsWindowAnswering) {
  std::atomic<bool> stop{false};
  std::atomic<HWND> shown{nullptr};
  std::thread worker([&] {
    auto alert = NewAlert("Progress: shown by a worker");
    alert->AddArea("Working", 1000);
    shown = Shown(*alert);
    for (int p = 0; !stop; p = (p + 1) % 10) {
      alert->SetPosition(p < 5 ? 400 : 600);  // each update pumps this thread
      Sleep(10);
    }
  });
  ASSERT_TRUE(PumpUntil([&] { return shown.load() != nullptr; }));
  DWORD_PTR bar = 0;
  const LRESULT answered =
      SendMessageTimeoutW(GetDlgItem(shown, kProgressBarId), PBM_GETPOS, 0, 0, SMTO_NORMAL, 2000, &bar);
  stop = true;
  worker.join();
  EXPECT_NE(answered, 0);
  EXPECT_TRUE(bar == 400 || bar == 600) << bar;
  EXPECT_FALSE(IsWindow(shown));  // the worker's alert closed it when it went
}

TEST(ProgressWindow, ClosingFromAnotherThreadIsPosted) {
  auto alert = NewAlert("Progress: closed by a worker");
  const HWND w = Shown(*alert);
  ASSERT_TRUE(w);
  // The worker returns while this thread dispatches nothing.
  std::thread([&] { alert->Close(); }).join();
  EXPECT_TRUE(IsWindow(w));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(w); }));
}

TEST(ProgressWindow, TheUserCannotCloseIt) {
  auto alert = NewAlert("Progress: user closes");
  const HWND w = Shown(*alert, nullptr, true);
  ASSERT_TRUE(w);
  PostMessageW(w, WM_CLOSE, 0, 0);
  PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump(200);
  EXPECT_TRUE(IsWindowVisible(w));
  alert->Close();
  EXPECT_FALSE(IsWindow(w));
}

TEST(ProgressWindow, ShownInactiveItLeavesTheFocusAtTheBottomRight) {
  const TestWindow app;
  ASSERT_EQ(GetForegroundWindow(), app.frame.get());
  auto alert = NewAlert("Progress: inactive");
  const HWND w = Shown(*alert);
  ASSERT_TRUE(w);
  alert->SetPosition(300);
  Pump(200);
  EXPECT_EQ(GetForegroundWindow(), app.frame.get());
  EXPECT_EQ(GetFocus(), app.edit);
  RECT work{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  const RECT r = RectOf(w);
  EXPECT_EQ(r.right, work.right - 2);
  EXPECT_EQ(r.bottom, work.bottom - 2);
}

TEST(ProgressWindow, ShownActiveItIsCentredInFront) {
  const TestWindow app;
  auto alert = NewAlert("Progress: active");
  const HWND w = Shown(*alert, nullptr, true);
  ASSERT_TRUE(w);
  Pump(100);
  EXPECT_EQ(GetForegroundWindow(), w);
  const RECT r = RectOf(w);
  EXPECT_LE(std::abs((r.left + r.right) - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs((r.top + r.bottom) - GetSystemMetrics(SM_CYSCREEN)), 1);
}

TEST(ProgressWindow, ALongTextWrapsAndMakesItTaller) {
  std::string longText;
  for (int i = 0; i < 60; ++i) longText += "the report is being built ";
  auto shortAlert = NewAlert("Progress: short text");
  shortAlert->AddArea("Short", 1);
  shortAlert->Show(nullptr, false);
  auto longAlert = NewAlert("Progress: long text");
  longAlert->AddArea("Short", 1);
  longAlert->AddArea(longText, 1);  // later areas count too
  longAlert->Show(nullptr, false);
  const HWND shortWindow = AlertWindow("Progress: short text"), longWindow = AlertWindow("Progress: long text");
  ASSERT_TRUE(shortWindow && longWindow);
  const RECT shortText = RectOf(GetDlgItem(shortWindow, kProgressTextId));
  const RECT longRect = RectOf(GetDlgItem(longWindow, kProgressTextId));
  EXPECT_EQ(shortText.right - shortText.left, 220);  // the least width
  EXPECT_GT(longRect.right - longRect.left, 220);
  EXPECT_LE(longRect.right - longRect.left, 420);  // wrapped at 420
  EXPECT_GT(longRect.bottom - longRect.top, 5 * (shortText.bottom - shortText.top));
  const RECT shortFrame = RectOf(shortWindow), longFrame = RectOf(longWindow);
  EXPECT_EQ((longFrame.bottom - longFrame.top) - (shortFrame.bottom - shortFrame.top),
            (longRect.bottom - longRect.top) - 26);  // the short text counts as the icon's band
  longAlert->NextArea();
  (void)Screenshot(longWindow, "progress_long_text.bmp");
}

TEST(ProgressWindow, TheOwnerGetsItsEarlierStateBack) {
  for (const bool enabledBefore : {true, false})
    for (const bool fromWorker : {false, true}) {
      const TestWindow owner;
      EnableWindow(owner.frame.get(), enabledBefore);
      auto alert = NewAlert("Progress: owner");
      const HWND w = Shown(*alert, owner.frame.get(), true);
      ASSERT_TRUE(w);
      EXPECT_EQ(GetWindow(w, GW_OWNER), owner.frame.get());
      EXPECT_FALSE(IsWindowEnabled(owner.frame.get()));
      if (fromWorker)
        std::thread([&] { alert->Close(); }).join();
      else
        alert->Close();
      EXPECT_TRUE(PumpUntil([&] { return !IsWindow(w); }));
      EXPECT_EQ(bool(IsWindowEnabled(owner.frame.get())), enabledBefore)
          << "enabled before " << enabledBefore << ", closed from a worker " << fromWorker;
    }
}

TEST(ProgressWindow, PumpingLeavesTheQuitRequestForTheLoop) {
  auto alert = NewAlert("Progress: quit");
  alert->Show(nullptr, false);
  PostQuitMessage(7);
  alert->SetPosition(500);  // pumps this thread's messages
  MSG msg{};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(ProgressWindow, TheIconIsBlendedOverTheButtonFace) {
  auto alert = NewAlert("Progress: icon");
  alert->AddArea("Building the bug report, one thread after the other...", 1000);
  alert->AddArea("", 1000);
  const HWND w = Shown(*alert);
  ASSERT_TRUE(w);
  alert->NextArea();
  alert->SetPosition(500);
  const HWND icon = GetDlgItem(w, kProgressIconId);
  ASSERT_TRUE(icon);
  EXPECT_FALSE(IsWindowEnabled(icon));
  EXPECT_EQ(BarOf(w), 750);
  const std::vector<uint32_t> shot = Screenshot(w, "progress_window.bmp");
  const RECT frame = RectOf(w), iconRect = RectOf(icon);
  const int width = frame.right - frame.left;
  const auto at = [&](int x, int y) {
    return shot[size_t(iconRect.top - frame.top + y) * size_t(width) + size_t(iconRect.left - frame.left + x)] &
           0xFFFFFF;
  };
  EXPECT_EQ(at(8, 24), 0x145AC8u);  // an opaque pixel of the disc: the icon's own colour
  EXPECT_EQ(at(16, 8), 0xFFFFFFu);  // the white hand
  // A transparent corner: the button face, a = 1 darkening it by a 256th.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const auto faded = [](uint32_t c) { return c * 255 / 256; };
  EXPECT_EQ(at(0, 0), faded(GetRValue(face)) << 16 | faded(GetGValue(face)) << 8 | faded(GetBValue(face)));
  EXPECT_EQ(ClientRectOf(icon).left, 9);
  EXPECT_EQ(ClientRectOf(icon).top, 9);
  // The text stands beside the icon.
  EXPECT_EQ(ClientRectOf(GetDlgItem(w, kProgressTextId)).left, 51);
}

TEST(ProgressWindow, AMissingIconLeavesNoSpace) {
  auto alert = NewAlert("Progress: no icon", "QUORINOSUCHICON");
  const HWND w = Shown(*alert);
  ASSERT_TRUE(w);
  EXPECT_FALSE(GetDlgItem(w, kProgressIconId));
  EXPECT_EQ(ClientRectOf(GetDlgItem(w, kProgressTextId)).left, 11);
}

}  // namespace
}  // namespace quor
