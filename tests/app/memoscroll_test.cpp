// The log's skinned scroll bar in a real window: the frame keeps the bar's
// space, hit testing finds it, arrow and page presses and a thumb drag
// scroll the system edit with the ordinary scroll messages (framed by the
// skin's before/after notifications), and the bar on screen is the skin's
// picture, not the system's.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/orvScrollPaint.h"
#include "skin/sMemo.h"
#include "skin/sSkinManager.h"
#include "tests/app/Bmp24.h"
#include "tests/app/GdiDrawCounter.h"
#include "tests/app/MainFormFixture.h"

namespace {

class MemoScrollTest : public testing::TestWithParam<const char*>, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override {
    ShowForm();
    Switch(GetParam());
    memo_ = form_->sMemo1;
    ASSERT_NE(memo_->Skinner(), nullptr);
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    SetWindowTextA(memo_->Handle(), text.c_str());
    SendMessageW(memo_->Handle(), EM_SETSEL, 0, 0);
    SendMessageW(memo_->Handle(), EM_SCROLLCARET, 0, 0);
    app_->ProcessMessages();
  }
  void TearDown() override { delete app_; }

  HWND Memo() const { return memo_->Handle(); }
  int FirstLine() const { return static_cast<int>(SendMessageW(Memo(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
  // A point of the vertical bar in screen coordinates, `along` pixels from its top.
  POINT BarPoint(int along) const {
    const RECT bar = memo_->Skinner()->BarRect(true);
    RECT w;
    GetWindowRect(Memo(), &w);
    return {w.left + (bar.left + bar.right) / 2, w.top + bar.top + along};
  }
  // The client area in the log's window coordinates.
  RECT ClientRectInWindow() const {
    RECT c, w;
    GetClientRect(Memo(), &c);
    MapWindowPoints(Memo(), nullptr, reinterpret_cast<POINT*>(&c), 2);
    GetWindowRect(Memo(), &w);
    OffsetRect(&c, -w.left, -w.top);
    return c;
  }
  // The log's window as the screen shows it.
  skin::TsBitmap24 MemoOnScreen() const {
    RECT w;
    GetWindowRect(Memo(), &w);
    skin::TsBitmap24 memo(w.right - w.left, w.bottom - w.top);
    {
      const base::WindowDc screen(nullptr);
      skin::TsDibCanvas canvas(memo);
      BitBlt(canvas.DC(), 0, 0, memo.Width(), memo.Height(), screen.get(), w.left, w.top, SRCCOPY);
    }
    return memo;
  }
  // The vertical bar on the screen against the same bar composed by the
  // painter: the number of differing pixels.
  int BarPixelsNotTheSkins(skin::TsBitmap24& shot, skin::TsBitmap24& expected) {
    const skin::TsSkinManager& sm = *form_->sSkinManager1;
    RedrawWindow(Memo(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT bar = memo_->Skinner()->BarRect(true);
    shot = skin::TsBitmap24(bar.right - bar.left, bar.bottom - bar.top);
    {
      skin::TsDibCanvas canvas(shot);
      const base::WindowDc dc(Memo(), base::WindowDc::WholeWindow{});
      BitBlt(canvas.DC(), 0, 0, shot.Width(), shot.Height(), dc.get(), bar.left, bar.top, SRCCOPY);
    }
    expected = skin::TsBitmap24(shot.Width(), shot.Height());
    skin::TorvBarLook look;
    look.Vertical = true;
    look.Arrow = look.GlyphBox = GetSystemMetrics(SM_CXHSCROLL);
    SCROLLINFO si = {sizeof(si), SIF_ALL};
    GetScrollInfo(Memo(), SB_VERT, &si);
    look.Info = {si.nMin, si.nMax, static_cast<int32_t>(si.nPage), si.nPos};
    const skin::TsBitmap24& cache = memo_->SkinData.CacheBitmap;
    skin::PaintScrollBar(expected, sm.Skin(), sm.ConstData(), look, {&cache, bar.left, bar.top, !cache.Empty()});
    int differing = 0;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x) differing += shot.Pixel(x, y) != expected.Pixel(x, y);
    return differing;
  }
  int BarLength() const {
    const RECT bar = memo_->Skinner()->BarRect(true);
    return bar.bottom - bar.top;
  }
  void Press(POINT p) { SendMessageW(Memo(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(p.x, p.y)); }
  void MoveTo(POINT p) {
    ScreenToClient(Memo(), &p);
    SendMessageW(Memo(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }
  void Release(POINT p) {
    ScreenToClient(Memo(), &p);
    SendMessageW(Memo(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }

  skin::TsMemo* memo_ = nullptr;
};

TEST_P(MemoScrollTest, FrameKeepsTheBarsSpaceAndHitTestFindsIt) {
  RECT w, c;
  GetWindowRect(Memo(), &w);
  GetClientRect(Memo(), &c);
  const RECT bar = memo_->Skinner()->BarRect(true);
  EXPECT_EQ(bar.right - bar.left, GetSystemMetrics(SM_CXVSCROLL));
  // The client ends where the bar begins.
  POINT clientRight = {c.right, 0};
  ClientToScreen(Memo(), &clientRight);
  EXPECT_EQ(clientRight.x - w.left, bar.left);
  const POINT middle = BarPoint(BarLength() / 2);
  EXPECT_EQ(SendMessageW(Memo(), WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTVSCROLL);
  POINT inside = {w.left + 20, w.top + 20};
  EXPECT_EQ(SendMessageW(Memo(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
}

TEST_P(MemoScrollTest, ArrowPageAndThumbScrollTheEdit) {
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  // The down arrow: one line at once, nothing more until the repeat; the
  // release ends the scroll.
  const POINT down = BarPoint(BarLength() - arrow / 2);
  Press(down);
  EXPECT_EQ(FirstLine(), 1);
  Release(down);
  EXPECT_EQ(FirstLine(), 1);
  EXPECT_EQ(GetCapture(), nullptr);
  // The track below the thumb: a page.
  const int before = FirstLine();
  const POINT page = BarPoint(BarLength() - arrow - 3);
  Press(page);
  Release(page);
  EXPECT_GT(FirstLine(), before + 1);
  // The thumb dragged to the bottom shows the last lines.
  SCROLLINFO si = {sizeof(si), SIF_ALL};
  GetScrollInfo(Memo(), SB_VERT, &si);
  const int length = BarLength() - 2 * arrow;
  const int thumbStart = arrow + MulDiv(si.nPos - si.nMin, length - 10, si.nMax - si.nMin + 1 - std::max<int>(si.nPage, 1));
  const POINT grab = BarPoint(thumbStart + 2);
  Press(grab);
  MoveTo(BarPoint(BarLength() + 50));
  Release(BarPoint(BarLength() + 50));
  GetScrollInfo(Memo(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1);
  EXPECT_GT(FirstLine(), 50);
}

// Real pointer input: a held arrow repeats (once at the press, then after
// the delay every 55 ms), and ends when the mouse capture goes elsewhere.
class HeldArrow {
public:
  explicit HeldArrow(POINT at) {
    SetCursorPos(at.x, at.y);
    Send(MOUSEEVENTF_LEFTDOWN);
  }
  ~HeldArrow() { Send(MOUSEEVENTF_LEFTUP); }
  static void Send(DWORD flags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof(in));
  }
};

TEST_P(MemoScrollTest, AHeldArrowRepeatsAndCaptureLossEndsIt) {
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  const POINT down = BarPoint(BarLength() - arrow / 2);
  HeldArrow hold(down);
  const auto pump = [&](DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (GetTickCount() < end) {
      app_->ProcessMessages();
      Sleep(5);
    }
  };
  pump(150);
  // One line at the press, nothing more before the delay.
  EXPECT_EQ(FirstLine(), 1);
  pump(600);
  const int repeated = FirstLine();
  EXPECT_GE(repeated, 4) << "55-ms repeats after the 300-ms delay";
  // A message box or Alt+Tab takes the capture: the repeat stops at once.
  SetCapture(form_->Handle());
  ReleaseCapture();
  pump(50);
  const int stopped = FirstLine();
  pump(300);
  EXPECT_EQ(FirstLine(), stopped);
}

TEST_P(MemoScrollTest, TheBarOnScreenIsTheSkins) {
  const skin::TsSkinManager& sm = *form_->sSkinManager1;
  if (!skin::CanPaintScrollBar(sm.ConstData(), true)) GTEST_SKIP() << "the skin has no vertical bar";
  skin::TsBitmap24 shot, expected;
  EXPECT_EQ(BarPixelsNotTheSkins(shot, expected), 0);
  SaveBmp24(shot, "memo_bar_shot.bmp");
  SaveBmp24(expected, "memo_bar_expected.bmp");
  // Kept for a person to look at.
  SaveBmp24(MemoOnScreen(), std::string("memo_") + std::string(GetParam()).substr(0, std::string(GetParam()).find(' ')) +
                                 ".bmp");
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// A scroll step by a line: the system edit invalidates the lines that came
// into view, nothing else of the window is invalidated, and the skin
// paints only the bar, not the frame around the log nor the form.
TEST_P(MemoScrollTest, AScrollStepRepaintsOnlyTheBarAndTheNewLines) {
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  app_->ProcessMessages();
  GdiDrawCounter counter;
  ASSERT_GT(counter.Patched(), 0u);
  SendMessageW(Memo(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(FirstLine(), 1);
  RECT form{}, client{}, changed{};
  EXPECT_FALSE(GetUpdateRect(form_->Handle(), &form, FALSE)) << "the form is not repainted";
  GetClientRect(Memo(), &client);
  ASSERT_TRUE(GetUpdateRect(Memo(), &changed, FALSE));
  const int lineHeight = static_cast<int>(client.bottom - client.top) / 4;  // the log shows more than four lines
  EXPECT_LT(changed.bottom - changed.top, lineHeight * 2) << "only the lines that came into view";
  UpdateWindow(Memo());
  app_->ProcessMessages();
  // What the skin drew into the log's window: the bar's pixels only.
  RECT inWindow = ClientRectInWindow();
  const RECT bar = memo_->Skinner()->BarRect(true);
  const std::vector<RECT> drawn = counter.AreasOf(Memo());
  ASSERT_FALSE(drawn.empty()) << "the bar follows the step";
  for (const RECT& r : drawn)
    EXPECT_TRUE(Inside(r, bar) || Inside(r, inWindow))
        << "drawn outside the bar and the client: " << r.left << "," << r.top << " " << r.right << "," << r.bottom;
  EXPECT_EQ(counter.DrawsInto(form_->Handle()), 0);
}

// Left scroll bars: the log in the form's bottom-left corner with both bars
// and the extended style for left bars keeps the vertical bar on the left
// of its client, draws the skin's bar there, answers hit tests there (the
// size box, in the form's bottom-left corner, sizes from that corner) and
// scrolls by a click on the bar's down arrow there.
TEST_P(MemoScrollTest, LeftBarsAreDrawnHitAndClickedOnTheLeft) {
  const skin::TsSkinManager& sm = *form_->sSkinManager1;
  if (!skin::CanPaintScrollBar(sm.ConstData(), true)) GTEST_SKIP() << "the skin has no vertical bar";
  RECT formClient;
  GetClientRect(form_->Handle(), &formClient);
  memo_->SetBounds(0, formClient.bottom - 120, 220, 120);
  SetWindowLongPtrW(Memo(), GWL_STYLE, GetWindowLongPtrW(Memo(), GWL_STYLE) | WS_HSCROLL);
  SetWindowLongPtrW(Memo(), GWL_EXSTYLE, GetWindowLongPtrW(Memo(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
  SetWindowPos(Memo(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  app_->ProcessMessages();
  const RECT bar = memo_->Skinner()->BarRect(true), client = ClientRectInWindow();
  ASSERT_FALSE(IsRectEmpty(&bar));
  EXPECT_EQ(bar.right, client.left) << "the bar lies left of the client";
  EXPECT_EQ(bar.right - bar.left, GetSystemMetrics(SM_CXVSCROLL));
  skin::TsBitmap24 shot, expected;
  EXPECT_EQ(BarPixelsNotTheSkins(shot, expected), 0);
  SaveBmp24(MemoOnScreen(), std::string("memo_leftbars_") +
                                 std::string(GetParam()).substr(0, std::string(GetParam()).find(' ')) + ".bmp");
  RECT w;
  GetWindowRect(Memo(), &w);
  const POINT middle = BarPoint(BarLength() / 2);
  EXPECT_LT(middle.x, w.left + client.left);
  EXPECT_EQ(SendMessageW(Memo(), WM_NCHITTEST, 0, MAKELPARAM(middle.x, middle.y)), HTVSCROLL);
  const POINT box = {w.left + (bar.left + bar.right) / 2, w.top + bar.bottom + GetSystemMetrics(SM_CYHSCROLL) / 2};
  EXPECT_EQ(SendMessageW(Memo(), WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y)), HTBOTTOMLEFT);
  const POINT down = BarPoint(BarLength() - GetSystemMetrics(SM_CXHSCROLL) / 2);
  Press(down);
  Release(down);
  EXPECT_EQ(FirstLine(), 1);
}

INSTANTIATE_TEST_SUITE_P(Skins, MemoScrollTest,
                         testing::Values("GrayPlastic (internal)", "Neutral (internal)", "Office12Style (internal)"),
                         [](const testing::TestParamInfo<const char*>& i) {
                           return std::string(i.param).substr(0, std::string(i.param).find(' '));
                         });

}  // namespace
