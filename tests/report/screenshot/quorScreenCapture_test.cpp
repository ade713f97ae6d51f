// Screenshots of real windows under Wine and Xvfb: a window of colour bars
// captured whole and as the application's own windows, compared with what
// the X server itself shows (ImageMagick's `import` of the root window), a
// window of another process and the gaps between our windows left white;
// BMP and PNG files of a capture read back (the PNG by Pillow).
#include "report/screenshot/quorNVBitmap.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/WinHandle.h"
#include "report/screenshot/quorBmpFile.h"
#include "report/screenshot/quorWholeFile.h"

namespace quor {
namespace {

using namespace std::chrono_literals;

struct TBar {
  COLORREF color;
  uint8_t r, g, b;
};
constexpr std::array<TBar, 4> kBars = {{{RGB(255, 0, 0), 255, 0, 0},
                                        {RGB(0, 255, 0), 0, 255, 0},
                                        {RGB(0, 0, 255), 0, 0, 255},
                                        {RGB(255, 255, 0), 255, 255, 0}}};
constexpr int kBarWidth = 60, kBarsHeight = 100;
constexpr int kBarsWidth = kBarWidth * int(kBars.size());
const RECT kBarsAt = {100, 80, 100 + kBarsWidth, 80 + kBarsHeight};
const RECT kSecondAt = {500, 400, 540, 430};  // leaves a gap right of and below the bars

struct TColor {
  uint8_t r, g, b;
  friend bool operator==(const TColor&, const TColor&) = default;
};
std::ostream& operator<<(std::ostream& out, const TColor& c) {
  return out << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}
constexpr TColor kWhite = {255, 255, 255};

TColor PixelAt(const NVPixelView& pixels, uint32_t x, uint32_t y) {
  const uint8_t* p = pixels.TopRow(y) + size_t(x) * kNVBytesPerPixel;
  return {p[kNVRed], p[kNVGreen], p[kNVBlue]};
}
TColor BarColor(size_t i) { return {kBars[i].r, kBars[i].g, kBars[i].b}; }

LRESULT CALLBACK BarsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    for (size_t i = 0; i < kBars.size(); ++i) {
      const RECT bar = {int(i) * kBarWidth, 0, int(i + 1) * kBarWidth, kBarsHeight};
      const HBRUSH brush = CreateSolidBrush(kBars[i].color);
      FillRect(dc, &bar, brush);
      DeleteObject(brush);
    }
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Pump(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    std::this_thread::sleep_for(10ms);
  }
}

HWND BarsWindow(const RECT& at, DWORD style = WS_VISIBLE) {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &BarsProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"quorCaptureBars";
    return RegisterClassW(&wc);
  }();
  return CreateWindowExW(0, MAKEINTATOM(atom), L"Bars", WS_POPUP | style, at.left, at.top, at.right - at.left,
                         at.bottom - at.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Runs a Linux program through unix_run.sh and answers its output, or
// nothing when it did not finish within 20 seconds.
std::string RunUnix(const std::wstring& arguments) {
  static int runs = 0;
  const std::string out = "/tmp/quor-capture-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
  std::wstring command = L"start.exe /unix /bin/sh " QUOR_SCREENSHOT_TESTS_W L"/unix_run.sh " +
                         std::wstring(out.begin(), out.end()) + L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return {};
  const base::KernelHandle process(started.hProcess), thread(started.hThread);
  for (int i = 0; i < 400; ++i) {
    if (const std::optional<std::string> text = ReadWholeFile("Z:" + out, 1 << 20)) {
      DeleteFileA(("Z:" + out).c_str());
      return *text;
    }
    Pump(50ms);
  }
  return {};
}

// What the X server shows of the whole screen.
std::unique_ptr<INVBitmap> XScreenshot() {
  const std::string file = "/tmp/quor-xshot-" + std::to_string(GetCurrentProcessId()) + ".bmp";
  const std::string result =
      RunUnix(L"/usr/bin/import -window root -type TrueColor BMP3:" + std::wstring(file.begin(), file.end()));
  EXPECT_NE(result.find("exit 0"), std::string::npos) << result;
  std::unique_ptr<INVBitmap> picture = LoadBitmapFile("Z:" + file);
  DeleteFileA(("Z:" + file).c_str());
  return picture;
}

struct TFindWindow {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM find) {
  auto* f = reinterpret_cast<TFindWindow*>(find);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == f->process && IsWindowVisible(window)) f->found = window;
  return !f->found;
}

// A visible top-level window of that process, or none.
HWND VisibleWindowOf(DWORD process) {
  TFindWindow find{process, nullptr};
  EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&find));
  return find.found;
}

class ScreenCapture : public testing::Test {
protected:
  void SetUp() override {
    // The cursor far off in the bottom right corner, drawn (if at all)
    // outside the screen.
    SetCursorPos(GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1, GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1);
    bars_ = BarsWindow(kBarsAt);
    ASSERT_TRUE(bars_);
    Pump(300ms);
  }
  void TearDown() override {
    if (second_) DestroyWindow(second_);
    DestroyWindow(bars_);
    Pump(100ms);
  }

  HWND bars_ = nullptr;
  HWND second_ = nullptr;
};

TEST_F(ScreenCapture, WholeScreenShowsTheBarsAsTheXServerDoes) {
  const std::unique_ptr<INVBitmap> shot = CaptureScreen(false);
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->Width(), uint32_t(GetSystemMetrics(SM_CXVIRTUALSCREEN)));
  EXPECT_EQ(shot->Height(), uint32_t(GetSystemMetrics(SM_CYVIRTUALSCREEN)));
  const NVPixelView pixels = shot->Pixels();
  for (size_t i = 0; i < kBars.size(); ++i)
    for (const POINT p : {POINT{2, 2}, POINT{kBarWidth / 2, kBarsHeight / 2}, POINT{kBarWidth - 3, kBarsHeight - 3}})
      EXPECT_EQ(PixelAt(pixels, kBarsAt.left + int(i) * kBarWidth + p.x, kBarsAt.top + p.y), BarColor(i))
          << "bar " << i;

  const std::unique_ptr<INVBitmap> x = XScreenshot();
  ASSERT_TRUE(x);
  ASSERT_EQ(x->Width(), shot->Width());
  ASSERT_EQ(x->Height(), shot->Height());
  size_t differ = 0;
  for (uint32_t y = 0; y < shot->Height(); ++y)
    for (uint32_t xx = 0; xx < shot->Width(); ++xx) differ += PixelAt(pixels, xx, y) != PixelAt(x->Pixels(), xx, y);
  EXPECT_EQ(differ, 0u);
}

// Readers that take a 32-bit BMP's fourth byte for alpha would show a
// picture with the cursor's alpha values in it as transparent.
TEST_F(ScreenCapture, UnusedBytesStayZeroWithTheCursorDrawnIn) {
  SetCursorPos(kBarsAt.left + kBarWidth / 2, kBarsAt.top + kBarsHeight / 2);
  // Wine's hand cursor has an alpha channel.
  SetCursor(LoadCursor(nullptr, IDC_HAND));
  const std::unique_ptr<INVBitmap> shot = CaptureScreen(false);
  ASSERT_TRUE(shot);
  const NVPixelView pixels = shot->Pixels();
  size_t nonZero = 0;
  for (size_t i = 0; i < size_t(pixels.width) * pixels.height; ++i)
    nonZero += pixels.bits[i * kNVBytesPerPixel + kNVUnused] != 0;
  EXPECT_EQ(nonZero, 0u);
}

TEST_F(ScreenCapture, AppOnlyShowsOwnWindowsAndWhiteElsewhere) {
  second_ = BarsWindow(kSecondAt);
  // A hidden window of ours neither widens the picture nor covers anything.
  const HWND hidden = BarsWindow({0, 0, 50, 50}, 0);
  // A window of another process over the bars' lower right part.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring notepad = L"notepad.exe";
  ASSERT_TRUE(CreateProcessW(nullptr, notepad.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
  const base::KernelHandle process(started.hProcess), thread(started.hThread);
  WaitForInputIdle(process.get(), 10000);
  HWND other = nullptr;
  for (int i = 0; i < 100 && !other; ++i) {
    Pump(100ms);
    other = VisibleWindowOf(started.dwProcessId);
  }
  ASSERT_TRUE(other);
  const POINT coverAt = {kBarsAt.left + 3 * kBarWidth, kBarsAt.top + kBarsHeight / 2};
  SetWindowPos(other, HWND_TOP, coverAt.x, coverAt.y, 300, 200, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Pump(700ms);

  const std::unique_ptr<INVBitmap> x = XScreenshot();
  const std::unique_ptr<INVBitmap> shot = CaptureScreen(true);
  TerminateProcess(process.get(), 0);
  DestroyWindow(hidden);
  ASSERT_TRUE(shot);
  ASSERT_TRUE(x);
  // From the bars' top left to the second window's bottom right.
  EXPECT_EQ(shot->Width(), uint32_t(kSecondAt.right - kBarsAt.left));
  EXPECT_EQ(shot->Height(), uint32_t(kSecondAt.bottom - kBarsAt.top));
  const NVPixelView pixels = shot->Pixels();
  auto atScreen = [&](const NVPixelView& p, LONG sx, LONG sy) { return PixelAt(p, sx, sy); };
  auto inShot = [&](LONG sx, LONG sy) { return PixelAt(pixels, sx - kBarsAt.left, sy - kBarsAt.top); };
  for (size_t i = 0; i < kBars.size(); ++i)
    EXPECT_EQ(inShot(kBarsAt.left + int(i) * kBarWidth + 5, kBarsAt.top + 5), BarColor(i)) << "bar " << i;
  EXPECT_EQ(inShot(kSecondAt.left + 5, kSecondAt.top + 5), BarColor(0)) << "second window";

  // Under the other process's window the screen shows it, the picture white.
  const POINT covered = {coverAt.x + 20, coverAt.y + 20};
  EXPECT_NE(atScreen(x->Pixels(), covered.x, covered.y), BarColor(3));
  EXPECT_EQ(inShot(covered.x, covered.y), kWhite);
  EXPECT_EQ(inShot(coverAt.x - 3, coverAt.y + 20), BarColor(2)) << "left of the cover";
  // Between our windows lies nothing of ours.
  for (const POINT gap : {POINT{kBarsAt.left + 5, kSecondAt.top + 5}, POINT{kBarsAt.right + 5, kBarsAt.top + 5}})
    EXPECT_EQ(inShot(gap.x, gap.y), kWhite) << gap.x << ", " << gap.y;
  // Kept in the test's folder for a look.
  EXPECT_TRUE(shot->SaveBmp("capture_apponly.bmp"));
}

TEST_F(ScreenCapture, AppOnlyWithEveryWindowMinimisedGivesNone) {
  ShowWindow(bars_, SW_MINIMIZE);
  Pump(200ms);
  ASSERT_TRUE(IsIconic(bars_));
  EXPECT_FALSE(CaptureScreen(true));
  EXPECT_TRUE(CaptureScreen(false));
}

TEST_F(ScreenCapture, FilesOfACaptureReadBack) {
  const std::unique_ptr<INVBitmap> shot = CaptureScreen(true);
  ASSERT_TRUE(shot);
  const std::string folder = "/tmp/quor-capture-files-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateDirectoryA(("Z:" + folder).c_str(), nullptr));
  const std::string bmp = "Z:" + folder + "/capture.bmp";
  ASSERT_TRUE(shot->SaveBmp(bmp));
  ASSERT_TRUE(shot->SavePng("Z:" + folder + "/capture_color.png", NVPngMode::kColor));
  ASSERT_TRUE(shot->SavePng("Z:" + folder + "/capture_grey.png", NVPngMode::kGrey));
  ASSERT_TRUE(WriteWholeFile("Z:" + folder + "/cases", "capture exact\n"));

  const std::unique_ptr<INVBitmap> loaded = LoadBitmapFile(bmp);
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loaded->Width(), shot->Width());
  ASSERT_EQ(loaded->Height(), shot->Height());
  EXPECT_EQ(std::memcmp(loaded->Pixels().bits, shot->Pixels().bits, shot->Pixels().RowBytes() * shot->Height()), 0);
  // The grey PNG leaves the bitmap's colours as they were.
  EXPECT_EQ(PixelAt(shot->Pixels(), 5, 5), BarColor(0));

  const std::string pillow = RunUnix(L"/usr/bin/python3 " QUOR_SCREENSHOT_TESTS_W L"/png_crosscheck.py " +
                                     std::wstring(folder.begin(), folder.end()));
  EXPECT_NE(pillow.find("exit 0"), std::string::npos) << pillow;
  for (const char* name : {"capture.bmp", "capture_color.png", "capture_grey.png", "cases"})
    DeleteFileA(("Z:" + folder + "/" + name).c_str());
  RemoveDirectoryA(("Z:" + folder).c_str());
}

TEST(NVBitmap, ZoomKeepsTheAspectRatio) {
  NVPixels pixels(1024, 768);
  const std::unique_ptr<INVBitmap> big = NVBitmapFromPixels(pixels.View());
  ASSERT_TRUE(big);
  const std::unique_ptr<INVBitmap> small = big->Zoom(200, 200);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Width(), 200u);
  EXPECT_EQ(small->Height(), 150u);
}

TEST(NVBitmap, NoPictureForNothingOrTooMuch) {
  const uint8_t none = 0;
  EXPECT_FALSE(NVBitmapFromPixels({0, 0, &none}));
  EXPECT_FALSE(NVBitmapFromPixels({kMaxNVSide + 1, 1, &none}));
}

TEST(NVBitmap, BadFilesLoadAsNone) {
  NVPixels pixels(7, 5);
  const NVBytesResult bmp = NVPixelsAsBmp(pixels.View());
  ASSERT_EQ(bmp.status, NVImageStatus::kOk);
  const std::string file = "quor-bad.bmp";
  for (const std::string& bytes : {bmp.bytes.substr(0, bmp.bytes.size() - 1), bmp.bytes.substr(0, 20), std::string()}) {
    ASSERT_TRUE(WriteWholeFile(file, bytes));
    EXPECT_FALSE(LoadBitmapFile(file)) << bytes.size() << " bytes";
  }
  ASSERT_TRUE(WriteWholeFile(file, bmp.bytes));
  EXPECT_TRUE(LoadBitmapFile(file));
  DeleteFileA(file.c_str());
  EXPECT_FALSE(LoadBitmapFile("no such file.bmp"));
}

}  // namespace
}  // namespace quor
