// Printing a report: the pages drawn into a bitmap instead of a printer
// (Wine has none), every line inside the margins, page after page, none lost
// or repeated at a page break, long lines wrapped; a cancelled print prints
// nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "report/storage/quorPrintLayout.h"
#include "report/storage/quorPrintReport.h"

namespace {

// The pages, drawn one after the other into one white bitmap of the
// device's printable size and kept as pixel copies.
class TBitmapPages final : public quor::TPageTarget {
public:
  explicit TBitmapPages(HDC dc) : dc_(dc), width_(GetDeviceCaps(dc, HORZRES)), height_(GetDeviceCaps(dc, VERTRES)) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc, bitmap_);
  }
  ~TBitmapPages() override {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
  }
  bool StartPage() override {
    std::fill_n(bits_, size_t(width_) * height_, 0xFFFFFFu);
    return true;
  }
  bool EndPage() override {
    GdiFlush();
    Pages.emplace_back(bits_, bits_ + size_t(width_) * height_);
    return true;
  }

  bool Ink(size_t page, int x, int y) const { return (Pages[page][size_t(y) * width_ + x] & 0xFFFFFF) != 0xFFFFFF; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::vector<std::vector<uint32_t>> Pages;

private:
  HDC dc_;
  int width_, height_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

TEST(PrintReport, LinesInsideTheMarginsPageAfterPage) {
  // 150 numbered lines with an empty line after every tenth, and one line of
  // long words that wraps once or more (each of its rows holds a word wider
  // than any numbered line).
  std::string report;
  for (int i = 1; i <= 150; ++i) {
    report += "line " + std::to_string(i) + "\r\n";
    if (i % 10 == 0) report += "\r\n";
  }
  std::string longLine;
  for (int i = 0; i < 20; ++i) longLine += "abcdefghijklmnopqrstuvwxyzabcd ";
  report += longLine + "\r\nlast\r\n";

  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_TRUE(dc);
  TBitmapPages pages(dc);
  const int drawn = quor::DrawReportPages(dc, report, pages);
  quor::TDeviceMetrics m;
  m.DpiX = GetDeviceCaps(dc, LOGPIXELSX), m.DpiY = GetDeviceCaps(dc, LOGPIXELSY);
  m.HorzRes = pages.Width(), m.VertRes = pages.Height();
  const quor::TPrintArea area = quor::PrintArea(m);
  DeleteDC(dc);
  ASSERT_EQ(drawn, int(pages.Pages.size()));
  ASSERT_GE(drawn, 2) << "150 lines of 8 points take more than one page of " << pages.Height() << " pixels";

  // Rows of text: runs of rows with ink, over all pages. The numbered lines
  // are narrow; the rows of the long line reach far to the right.
  int narrowRows = 0, wideRows = 0;
  for (size_t p = 0; p < pages.Pages.size(); ++p) {
    int firstInkRow = -1, rowRight = -1;
    for (int y = 0; y <= pages.Height(); ++y) {
      int right = -1;
      for (int x = 0; y < pages.Height() && x < pages.Width(); ++x) {
        if (!pages.Ink(p, x, y)) continue;
        right = x;
        EXPECT_GE(x, area.Left) << "page " << p << " row " << y;
        EXPECT_LT(x, area.Right) << "page " << p << " row " << y;
      }
      if (right >= 0) {
        EXPECT_GE(y, area.Top) << "page " << p;
        EXPECT_LT(y, area.Bottom) << "page " << p;
        if (firstInkRow < 0) firstInkRow = y;
        rowRight = std::max(rowRight, right);
      } else if (rowRight >= 0) {
        (rowRight > area.Left + 100 ? wideRows : narrowRows) += 1;
        rowRight = -1;
      }
    }
    // Each page starts at the top margin (its first line has ink within a line's height).
    EXPECT_LT(firstInkRow - area.Top, 20) << "page " << p;
  }
  // 150 numbered lines and "last", none lost or repeated at a page break;
  // empty lines leave no ink; the long line wrapped.
  EXPECT_EQ(narrowRows, 151);
  EXPECT_GE(wideRows, 2);
}

// Whatever window the print path opens in this process (the print dialog,
// or the platform's note that no printer is installed, as under Wine) is
// cancelled: nothing is printed.
TEST(PrintReport, CancelledPrintsNothing) {
  HWND owner =
      CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
  std::atomic<bool> done{false}, cancelled{false};
  std::thread canceller([&] {
    for (; !done; Sleep(10)) {
      HWND dlg = nullptr;
      while ((dlg = FindWindowExA(nullptr, dlg, "#32770", nullptr))) {
        DWORD pid = 0;
        GetWindowThreadProcessId(dlg, &pid);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(dlg)) continue;
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        cancelled = true;
      }
    }
  });
  EXPECT_FALSE(quor::PrintReport("line\r\n", owner, nullptr));
  done = true;
  canceller.join();
  EXPECT_TRUE(cancelled);
  DestroyWindow(owner);
}

}  // namespace
