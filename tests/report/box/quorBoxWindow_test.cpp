// The exception box in real windows: its class, title, message and button
// rectangles with the program's stored settings; every button's work;
// Escape, F1, Ctrl+C and Enter; the countdown; closing from outside; the
// simple, detail and freeze boxes. Screenshots go to box_*.png.
#include "report/box/quorBoxWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "base/WinHandle.h"
#include "base/WinUser.h"
#include "report/box/quorBoxAction.h"
#include "report/box/quorBoxColors.h"
#include "report/box/quorPresentException.h"
#include "tests/report/box/BoxFixture.h"

namespace quortest {
namespace {

using quor::TBoxKind;
using Strings = std::vector<std::string>;
using Actions = std::vector<int32_t>;

TEST(BoxWindow, StoredSettingsShowTheStackedFullBox) {
  FakeBoxException e;
  std::wstring className, title, message;
  std::array<std::wstring, quor::kBoxButtonCount> captions;
  std::array<RECT, quor::kBoxButtonCount> rects{};
  std::array<bool, quor::kBoxButtonCount> exists{};
  bool focusOnSend = false;
  RECT client{};
  COLORREF focusedFace = 0, unfocusedFace = 0, iconMiddle = 0;
  RunWithUser(e, TBoxKind::Full, [&] {
    HWND box = WaitForBox();
    if (!box) return;
    wchar_t name[64] = {};
    GetClassNameW(box, name, 64);
    className = name;
    title = Text(box);
    message = Text(GetDlgItem(box, quor::kBoxMessageId));
    for (int32_t i = 0; i < quor::kBoxButtonCount; ++i) {
      const HWND b = Button(box, i);
      exists[size_t(i)] = b != nullptr;
      if (!b) continue;
      captions[size_t(i)] = Text(b);
      rects[size_t(i)] = ChildRect(b);
    }
    focusOnSend = FocusOf(box) == Button(box, quor::kBoxSend);
    GetClientRect(box, &client);
    SaveScreenshot(box, "box_full.png");
    focusedFace = ScreenPixel(Button(box, quor::kBoxSend), -3, 3);
    unfocusedFace = ScreenPixel(Button(box, quor::kBoxShow), -3, 3);
    iconMiddle = ScreenPixel(Button(box, quor::kBoxClose), 11, 11);
  });
  EXPECT_EQ(className, L"QuorExceptWndClass");
  EXPECT_EQ(title, L"Sorvenal.exe");  // TitleBar %appname%
  EXPECT_EQ(message, L"An error occurred in the application.");
  EXPECT_EQ(exists, (std::array<bool, 7>{true, false, false, true, true, true, true}));
  EXPECT_EQ(captions[0], L"send bug report");
  EXPECT_EQ(captions[3], L"show bug report");
  EXPECT_EQ(captions[4], L"continue application");
  EXPECT_EQ(captions[5], L"restart application");
  EXPECT_EQ(captions[6], L"close application");
  const RECT send = rects[0], show = rects[3], cont = rects[4], restart = rects[5], close = rects[6];
  // Send and show in the bottom row at the left.
  EXPECT_EQ(send.left, 6);
  EXPECT_EQ(show.left, send.right + 4);
  EXPECT_EQ(send.top, close.top);
  EXPECT_EQ(show.top, close.top);
  // Continue, restart and close stacked at the right, one row apart.
  EXPECT_EQ(cont.top, 7);
  EXPECT_EQ(restart.top - cont.top, 26);
  EXPECT_EQ(close.top - restart.top, 26);
  for (const RECT& r : {cont, restart, close}) {
    EXPECT_EQ(r.left, cont.left);
    EXPECT_EQ(r.right, cont.right);
    EXPECT_LE(r.right, client.right);
  }
  for (const RECT& r : {send, show, cont, restart, close}) EXPECT_EQ(r.bottom - r.top, 22);
  EXPECT_GT(cont.left, show.right);
  EXPECT_TRUE(focusOnSend);
  // Flat buttons: the focused one on the dark shadow colour, the others a
  // shade off the button face; the icons blended over them.
  EXPECT_EQ(focusedFace, GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(unfocusedFace, quor::StepColor(GetSysColor(COLOR_BTNFACE), 0x101010, false));
  EXPECT_NE(iconMiddle, unfocusedFace);
  EXPECT_TRUE(e.work.empty());
  EXPECT_TRUE(e.windowAliveAtUnregister);  // the callback goes before the window
  EXPECT_FALSE(e.registered);
}

TEST(BoxWindow, UglyButtonsAreClassicAndTaller) {
  FakeBoxException e;
  e.Settings().SetUglyBtns(true);
  std::array<LONG, quor::kBoxButtonCount> heights{};
  RunWithUser(e, TBoxKind::Full, [&] {
    HWND box = WaitForBox();
    if (!box) return;
    for (int32_t i = 0; i < quor::kBoxButtonCount; ++i)
      if (HWND b = Button(box, i)) heights[size_t(i)] = ChildRect(b).bottom - ChildRect(b).top;
    SaveScreenshot(box, "box_ugly.png");
  });
  EXPECT_EQ(heights, (std::array<LONG, 7>{26, 0, 0, 26, 26, 26, 26}));
}

struct ButtonCase {
  const char* name;
  int32_t button;
  bool handled;  // the hook's answer
  Actions hooks;
  Strings work;
  bool closes;
};

TEST(BoxWindow, EachButtonsWorkReachesTheException) {
  const ButtonCase cases[] = {
      {"send", quor::kBoxSend, false, {quor::BoxActionSend}, {"send"}, false},
      {"save", quor::kBoxSave, false, {quor::BoxActionSave}, {"save"}, false},
      {"print", quor::kBoxPrint, false, {quor::BoxActionPrint}, {"print"}, false},
      {"continue", quor::kBoxContinue, false, {quor::BoxActionContinue}, {}, true},
      {"restart", quor::kBoxRestart, false, {quor::BoxActionRestart}, {"wait", "restart"}, true},
      {"close", quor::kBoxClose, false, {quor::BoxActionClose}, {"wait", "close"}, true},
      {"send, assistant cancelled", quor::kBoxSend, true, {quor::BoxActionSend}, {}, false},
      {"restart, handled", quor::kBoxRestart, true, {quor::BoxActionRestart}, {}, false},
      {"continue ignores the answer", quor::kBoxContinue, true, {quor::BoxActionContinue}, {}, true},
  };
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeBoxException e;
    e.Settings().SetSaveBtnVis(true);
    e.Settings().SetPrintBtnVis(true);
    e.hookHandles = c.handled;
    bool closed = false;
    RunWithUser(e, TBoxKind::Full, [&] {
      HWND box = WaitForBox();
      if (!box) return;
      SendMessageW(Button(box, c.button), BM_CLICK, 0, 0);
      closed = WaitUntilGone(box, 500);
    });
    EXPECT_EQ(e.hooks, c.hooks);
    EXPECT_EQ(e.work, c.work);
    EXPECT_EQ(closed, c.closes);
  }
}

TEST(BoxWindow, SaveToAnAbsoluteFileRemovesTheSaveButton) {
  struct Case {
    const char* file;
    bool saves;
    bool removed;
  } cases[] = {{"C:\\reports\\bugreport.log", true, true},
               {"\\bugreport.log", true, true},
               {"bugreport.log", true, false},
               {"C:\\reports\\bugreport.log", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    FakeBoxException e;
    e.Settings().SetSaveBtnVis(true);
    e.Settings().SetBugRepFile(c.file);
    e.saves = c.saves;
    bool removed = false;
    RunWithUser(e, TBoxKind::Full, [&] {
      HWND box = WaitForBox();
      if (!box) return;
      SendMessageW(Button(box, quor::kBoxSave), BM_CLICK, 0, 0);
      removed = Button(box, quor::kBoxSave) == nullptr;
    });
    EXPECT_EQ(e.work, Strings{"save"});
    EXPECT_EQ(removed, c.removed);
  }
}

TEST(BoxWindow, ShowReopensTheBoxResizableWithTheDetails) {
  FakeBoxException e;
  bool resizable = false, tabs = false, showButton = true, countdownOff = false;
  LONG firstWidth = 0, grownRight = 0, continueRight = 0;
  RunWithUser(e, TBoxKind::Full, [&] {
    HWND first = WaitForBox();
    if (!first) return;
    SendMessageW(Button(first, quor::kBoxShow), BM_CLICK, 0, 0);
    WaitUntilGone(first);
    HWND box = WaitForBox(first);
    if (!box) return;
    resizable = (GetWindowLongW(box, GWL_STYLE) & WS_THICKFRAME) != 0;
    tabs = FindWindowExW(box, nullptr, L"SysTabControl32", nullptr) != nullptr;
    showButton = Button(box, quor::kBoxShow) != nullptr;
    e.ChangeReport();  // the report grows: the details follow
    SaveScreenshot(box, "box_details.png");
    RECT r;
    GetWindowRect(box, &r);
    firstWidth = r.right - r.left;
    const LONG before = ChildRect(Button(box, quor::kBoxContinue)).right;
    SetWindowPos(box, nullptr, 0, 0, firstWidth + 100, r.bottom - r.top + 50, SWP_NOMOVE | SWP_NOZORDER);
    continueRight = ChildRect(Button(box, quor::kBoxContinue)).right - before;
    SetWindowPos(box, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);  // not below the first size
    GetWindowRect(box, &r);
    grownRight = r.right - r.left;
    countdownOff = !e.Settings().AutoContinue() && e.Settings().AutoRestart() == 0;
  });
  EXPECT_EQ(e.hooks, Actions{quor::BoxActionShowReport});
  EXPECT_TRUE(resizable);
  EXPECT_TRUE(tabs);
  EXPECT_FALSE(showButton);  // AutoShowBugRep hides it
  EXPECT_TRUE(e.Settings().AutoShowBugRep());
  EXPECT_TRUE(countdownOff);
  EXPECT_EQ(continueRight, 100);  // buttons 4-6 move with the width
  EXPECT_EQ(grownRight, firstWidth);
}

struct EscapeCase {
  const char* name;
  int32_t focusedBtn;
  bool canContinue;
  bool rightButtons;  // continue, restart and close visible
  Actions hooks;
  Strings work;
  bool closes;
};

TEST(BoxWindow, EscapeActsByFocusedBtnAndTheWaysOut) {
  const EscapeCase cases[] = {
      {"continue", 0, true, true, {quor::BoxActionContinue}, {}, true},
      {"cannot continue, close shown", 0, false, true, {quor::BoxActionClose}, {"wait", "close"}, true},
      {"FocusedBtn restart", 5, true, true, {quor::BoxActionRestart}, {"wait", "restart"}, true},
      {"FocusedBtn continue, cannot continue", 4, false, true, {quor::BoxActionContinue}, {"wait", "close"}, true},
      {"no way out", 0, true, false, {}, {}, false},
  };
  for (const EscapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeBoxException e;
    e.canContinue = c.canContinue;
    e.Settings().SetFocusedBtn(c.focusedBtn);
    for (const char* name : {"ContinueBtnVis", "RestartBtnVis", "CloseBtnVis"})
      e.Settings().SetBoolValue(name, c.rightButtons);
    bool closed = false;
    RunWithUser(e, TBoxKind::Full, [&] {
      HWND box = WaitForBox();
      if (!box) return;
      if (!c.canContinue && c.focusedBtn == 0) SaveScreenshot(box, "box_cannot_continue.png");
      PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
      closed = WaitUntilGone(box, 1000);
    });
    EXPECT_EQ(e.hooks, c.hooks);
    EXPECT_EQ(e.work, c.work);
    EXPECT_EQ(closed, c.closes);
  }
}

TEST(BoxWindow, CannotContinueDisablesContinueWhenThereIsAnotherWayOut) {
  FakeBoxException e;
  e.canContinue = false;
  bool enabled = true;
  RunWithUser(e, TBoxKind::Full, [&] {
    if (HWND box = WaitForBox()) enabled = IsWindowEnabled(Button(box, quor::kBoxContinue));
  });
  EXPECT_FALSE(enabled);
}

// Keys go to the foreground window: the box, once the system made it so.
bool BringToFront(HWND box) {
  for (int i = 0; i < 200 && GetForegroundWindow() != box; ++i) {
    SetForegroundWindow(box);
    Sleep(10);
  }
  Sleep(100);
  return GetForegroundWindow() == box;
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD k : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = k;
    inputs.push_back(in);
  }
  for (auto it = keys.end(); it != keys.begin();) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = *--it;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(300);
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

TEST(BoxWindow, KeysHelpCopyTabAndEnter) {
  FakeBoxException e;
  std::string copied;
  bool tabMovedToShow = false;
  RunWithUser(e, TBoxKind::Full, [&] {
    HWND box = WaitForBox();
    if (!box) return;
    EXPECT_TRUE(BringToFront(box));
    PressKeys({VK_F1});
    PressKeys({VK_CONTROL, 'C'});
    copied = ClipboardText();
    PressKeys({VK_TAB});
    tabMovedToShow = FocusOf(box) == Button(box, quor::kBoxShow);
    PressKeys({VK_SHIFT, VK_TAB});
    PressKeys({VK_RETURN});  // clicks the focused send button
    Sleep(300);
  });
  EXPECT_EQ(e.hooks, (Actions{quor::BoxActionHelp, quor::BoxActionSend}));
  EXPECT_EQ(e.work, Strings{"send"});
  EXPECT_EQ(copied, "Range check error");
  EXPECT_TRUE(tabMovedToShow);
}

TEST(BoxWindow, CopyWithAutoShowBugRepTakesTheWholeReport) {
  FakeBoxException e;
  e.Settings().SetAutoShowBugRep(true);
  std::string copied;
  RunWithUser(e, TBoxKind::Full, [&] {
    HWND box = WaitForBox();
    if (!box) return;
    EXPECT_TRUE(BringToFront(box));
    PressKeys({VK_CONTROL, 'C'});
    copied = ClipboardText();
  });
  EXPECT_EQ(copied, e.report);
}

TEST(BoxWindow, CountdownClicksTheAutoButton) {
  FakeBoxException e;
  e.Settings().SetAutoContinue(true);
  e.Settings().SetAutoDelay(1);
  DWORD took = 0;
  bool closed = false;
  RunWithUser(e, TBoxKind::Full, [&] {
    HWND box = WaitForBox();
    if (!box) return;
    const DWORD start = GetTickCount();
    Sleep(450);
    SaveScreenshot(box, "box_countdown.png");
    closed = WaitUntilGone(box, 3000);
    took = GetTickCount() - start;
  });
  EXPECT_TRUE(closed);
  EXPECT_GE(took, 800u);
  EXPECT_EQ(e.hooks, Actions{quor::BoxActionContinue});
  EXPECT_EQ(e.Settings().FocusedBtn(), quor::kBoxContinue);  // the auto button has the focus
}

TEST(BoxWindow, CountdownStopsOnAClickAndNeverRunsWithoutAPositiveDelay) {
  struct Case {
    const char* name;
    int32_t delay;
    bool click;
  } cases[] = {{"click", 1, true}, {"delay 0", 0, false}, {"negative delay", -1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeBoxException e;
    e.Settings().SetAutoContinue(true);
    e.Settings().SetAutoDelay(c.delay);
    bool stillOpen = false;
    RunWithUser(e, TBoxKind::Full, [&] {
      HWND box = WaitForBox();
      if (!box) return;
      if (c.click) SendMessageW(Button(box, quor::kBoxSend), BM_CLICK, 0, 0);
      stillOpen = !WaitUntilGone(box, 1600);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(e.hooks, c.click ? Actions{quor::BoxActionSend} : Actions{});
  }
}

TEST(BoxWindow, NullMessage777ClosesTheBoxFromOutside) {
  for (bool toThread : {false, true}) {
    FakeBoxException e;
    bool closed = false;
    RunWithUser(e, TBoxKind::Full, [&] {
      HWND box = WaitForBox();
      if (!box) return;
      if (toThread)
        PostThreadMessageW(GetWindowThreadProcessId(box, nullptr), WM_NULL, quor::kBoxCloseParam,
                           quor::kBoxCloseParam);
      else
        CloseFromOutside(box);
      closed = WaitUntilGone(box, 1000);
    });
    EXPECT_TRUE(closed) << toThread;
    EXPECT_TRUE(e.hooks.empty());
    EXPECT_TRUE(e.work.empty());
  }
}

std::wstring ExeTitle() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name = path;
  name = name.substr(name.find_last_of(L"\\/") + 1);
  return name.substr(0, name.rfind(L'.'));
}

TEST(BoxWindow, SimpleBoxHasTheProgramTitleTheBrokenMessageAndOk) {
  FakeBoxException e;
  e.message = "The file could not be read at all. Please try again.";
  std::wstring title, message, ok;
  bool ownerDrawn = true, focused = false;
  RunWithUser(e, TBoxKind::Simple, [&] {
    HWND box = WaitForBox();
    if (!box) return;
    title = Text(box);
    message = Text(GetDlgItem(box, quor::kBoxMessageId));
    ok = Text(Button(box, quor::kBoxContinue));
    ownerDrawn = (GetWindowLongW(Button(box, quor::kBoxContinue), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
    focused = FocusOf(box) == Button(box, quor::kBoxContinue);
    SaveScreenshot(box, "box_simple.png");
    SendMessageW(Button(box, quor::kBoxContinue), BM_CLICK, 0, 0);
    WaitUntilGone(box);
  });
  EXPECT_EQ(title, ExeTitle());
  EXPECT_EQ(message, L"The file could not be read at all.\r\nPlease try again.");
  EXPECT_EQ(ok, L"&OK");
  EXPECT_FALSE(ownerDrawn);
  EXPECT_TRUE(focused);
  EXPECT_EQ(e.hooks, Actions{quor::BoxActionContinue});
}

TEST(BoxWindow, DetailBoxOpensTheFullBoxWithTheReport) {
  FakeBoxException e;
  std::wstring details;
  bool full = false;
  RunWithUser(e, TBoxKind::Detail, [&] {
    HWND box = WaitForBox();
    if (!box) return;
    details = Text(Button(box, quor::kBoxShow));
    SaveScreenshot(box, "box_detail.png");
    SendMessageW(Button(box, quor::kBoxShow), BM_CLICK, 0, 0);
    WaitUntilGone(box);
    if (HWND second = WaitForBox(box)) full = Button(second, quor::kBoxSend) != nullptr;
  });
  EXPECT_EQ(details, L"&Details");
  EXPECT_TRUE(full);
  EXPECT_TRUE(e.Settings().AutoShowBugRep());
}

// A thread that owns the clipboard and then stops answering, as a frozen
// main thread does.
class FrozenClipboardOwner {
public:
  FrozenClipboardOwner() {
    thread_ = std::thread([this] {
      const base::WindowHandle owner(
          CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
      if (OpenClipboard(owner.get())) {
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 7);
        memcpy(GlobalLock(memory), "before", 7);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
      }
      id_ = GetCurrentThreadId();
      WaitForSingleObject(thaw_.get(), INFINITE);  // frozen: no messages handled
    });
    while (id_ == 0) Sleep(1);
  }
  ~FrozenClipboardOwner() {
    SetEvent(thaw_.get());
    thread_.join();
  }
  uint32_t Id() const { return id_; }

private:
  base::KernelHandle thaw_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::atomic<uint32_t> id_{0};
  std::thread thread_;
};

TEST(BoxWindow, FreezeBoxTellsTheWatchdogAndLeavesAFrozenClipboardOwnerAlone) {
  FrozenClipboardOwner frozen;
  FakeBoxException e;
  e.frozenThread = frozen.Id();
  std::wstring message;
  HWND shown = nullptr;
  std::string clipboard;
  bool closed = false;
  RunWithUser(e, TBoxKind::Full, [&] {
    HWND box = WaitForBox();
    if (!box) return;
    shown = box;
    message = Text(GetDlgItem(box, quor::kBoxMessageId));
    EXPECT_TRUE(BringToFront(box));
    PressKeys({VK_CONTROL, 'C'});  // would wait for the frozen owner for ever
    clipboard = ClipboardText();
    SaveScreenshot(box, "box_freeze.png");
    CloseFromOutside(box);  // the main thread answers again: the watchdog closes the box
    closed = WaitUntilGone(box);
  });
  EXPECT_EQ(message, L"The application seems to be frozen.");
  EXPECT_EQ(e.freezeBox, shown);
  EXPECT_EQ(clipboard, "before");
  EXPECT_TRUE(closed);
}

TEST(PresentException, PresentationPicksTheForm) {
  struct Case {
    int32_t presentation;
    bool shown;
  } cases[] = {{0, true}, {1, true}, {2, true}, {3, true}, {4, false}};
  for (const Case& c : cases) {
    FakeBoxException e;
    e.presentation = c.presentation;
    std::atomic<bool> shown{false};
    std::thread player([&] {
      if (HWND box = WaitForBox(nullptr, c.shown ? 5000 : 500)) {
        shown = true;
        CloseFromOutside(box);
      }
    });
    quor::PresentException(e);  // presentation 1 without an assistant: the full box
    player.join();
    EXPECT_EQ(shown, c.shown) << c.presentation;
  }
}

}  // namespace
}  // namespace quortest
