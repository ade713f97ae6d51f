// The details view in a real window: a plain top-level window stands in for
// the exception box and forwards the tab control's notifications. Tabs,
// switching, the lists' columns and item texts, the edit for raw text,
// growing reports, growing boxes, the painted colours and the jump to a
// development environment. Screenshots of the call-stack and disassembly
// tabs stay in the build folder.
#include "report/box/quorBoxDetails.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/WinAnsi.h"
#include "base/WinGdiObject.h"
#include "base/WinWindowDc.h"
#include "report/text/quorReportSections.h"
#include "tests/report/ScreenBmp.h"

namespace quor {
namespace {

constexpr wchar_t kBoxClass[] = L"QuorDetailsTestBox";
constexpr int kBoxWidth = 760, kBoxHeight = 520;
constexpr RECT kTabRect{5, 40, 745, 480};

TBoxDetails* g_details = nullptr;

LRESULT CALLBACK BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && g_details && g_details->Notify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
  return DefWindowProcW(window, message, wParam, lParam);
}

std::vector<TBoxReportPart> Header() {
  return {{"date/time", "2026-12-11, 01:47:09, 312ms"},
          {"computer name", "BUILDHOST"},
          {"operating system", "Windows 7 x64 Service Pack 1 build 7601"},
          {"executable", "Sorvenal.exe"},
          {"exception class", "ERangeError"},
          {"exception message", "Range check error."},
          {"callstack crc", "$1a2b3c4d, $00000000, $ffffffff"}};
}

std::string StackDump() {
  std::vector<uint8_t> bytes(64);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(0x30 + i * 3);
  return StackDumpText(0x0012fe80, bytes);
}

std::vector<TBoxReportPart> Sections(bool grown) {
  TCpuRegisters regs;
  regs.Eax = 0x0012ff40, regs.Ebx = 0x7ffdf000, regs.Eip = 0x00401063, regs.Esp = 0x0012fe80, regs.Ebp = 0x0012feb4;
  std::vector<TBoxReportPart> s{
      {"main thread ($1a4):",
       "00401063 +23 Sorvenal.exe BrisquelFileUtil.cpp  57  +9 FileWordSum\r\n"
       "00402a10 +b0 Sorvenal.exe formmain.cpp         118  +7 TFormMain::CalculateClick\r\n"
       "0041c2f4 +14 Sorvenal.exe Controls.cpp         402  +3 TControl::Click\r\n"
       "0041f7a8 +58 Sorvenal.exe Application.cpp       88 +12 TApplication::Run\r\n"
       "004012d0 +0  Sorvenal.exe                               WinMain\r\n"
       "7c817077 +0  kernel32.dll                               BaseProcessStart"},
      {"thread $2b8 (TReportBuilder): <suspended>",
       "7c90e4f4 ntdll.dll    ntdll.c      KiFastSystemCallRet\r\n"
       "00433120 Sorvenal.exe worker.cpp   WorkerLoop\r\n"
       ">> created by main thread ($1a4) at:\r\n"
       "00402b44 Sorvenal.exe formmain.cpp StartWorker"},
      {"cpu registers", CpuRegistersText(regs)},
      {"stack dump", StackDump()},
      {"disassembling",
       "public FileWordSum\r\n"
       "FileWordSum:                     ; function entry point\r\n"
       "00401040   push    ebp\r\n"
       "00401041   mov     ebp, esp\r\n"
       "00401043   sub     esp, $10\r\n"
       "0040105c   call    $00401200                ; ReadWords (Sorvenal.exe)\r\n"
       "00401061   test    eax, eax\r\n"
       "00401063 > mov     eax, [eax+4]\r\n"
       "00401066   leave\r\n"
       "00401067   ret\r\n"
       "; ---------------------------------------------------------\r\n"
       "loc_00401068:\r\n"
       "00401068   call    $00403000                ; RaiseRangeError (Sorvenal.exe)"},
      {"notes", "The file was shorter than four bytes."}};
  if (grown) {
    s.push_back({"modules",
                 "00400000 Sorvenal.exe 1.0.0.1        C:\\Program Files\\Brisquel\r\n"
                 "7c800000 kernel32.dll 5.1.2600.5781  C:\\WINDOWS\\system32\r\n"
                 "7c900000 ntdll.dll    5.1.2600.6055  C:\\WINDOWS\\system32"});
    s.push_back({"processes",
                 "004 System       normal       \r\n"
                 "1a8 smss.exe     normal       C:\\WINDOWS\\system32\r\n"
                 "7f0 Sorvenal.exe below normal C:\\Program Files\\Brisquel"});
  }
  return s;
}

class BoxDetailsTest : public ::testing::Test {
protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BoxProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kBoxClass;
    RegisterClassW(&wc);
    box_.reset(CreateWindowExW(0, kBoxClass, L"Sorvenal", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 20, 20, kBoxWidth,
                               kBoxHeight, nullptr, nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(box_);
    normal_.reset(Font(L"Tahoma", VARIABLE_PITCH | FF_SWISS));
    fixed_.reset(Font(L"Courier New", FIXED_PITCH | FF_MODERN));
    details_ = std::make_unique<TBoxDetails>(box_.get(), kTabRect, normal_.get(), fixed_.get());
    g_details = details_.get();
    details_->Update(Header(), Sections(false));
    Pump();
  }
  void TearDown() override {
    g_details = nullptr;
    details_.reset();
  }

  // Wine: without the named face the pitch and family choose the stand-in.
  static HFONT Font(const wchar_t* face, DWORD pitchAndFamily) {
    return CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, pitchAndFamily, face);
  }

  static void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }

  HWND Tab() const { return details_->TabControl(); }

  std::vector<std::string> TabNames() const {
    std::vector<std::string> names;
    const auto count = SendMessageW(Tab(), TCM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 64;
      SendMessageW(Tab(), TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
      names.push_back(base::WideToAnsi(text));
    }
    return names;
  }

  // As the user's click does: the selection moves, the box hears of it.
  void SelectTab(int index) {
    SendMessageW(Tab(), TCM_SETCURSEL, index, 0);
    NMHDR n{Tab(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(box_.get(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    Pump();
  }

  HWND View(const wchar_t* windowClass) const { return FindWindowExW(Tab(), nullptr, windowClass, nullptr); }
  HWND List() const { return View(WC_LISTVIEWW); }

  static std::vector<std::string> Columns(HWND list) {
    std::vector<std::string> titles;
    for (int i = 0;; ++i) {
      wchar_t text[64] = {};
      LVCOLUMNW c{};
      c.mask = LVCF_TEXT;
      c.pszText = text;
      c.cchTextMax = 64;
      if (!SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&c))) return titles;
      titles.push_back(base::WideToAnsi(text));
    }
  }

  static std::vector<std::string> Row(HWND list, int row) {
    std::vector<std::string> cells;
    const size_t count = Columns(list).size();
    for (size_t i = 0; i < count; ++i) {
      wchar_t text[256] = {};
      LVITEMW item{};
      item.iSubItem = static_cast<int>(i);
      item.pszText = text;
      item.cchTextMax = 256;
      SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
      cells.push_back(base::WideToAnsi(text));
    }
    return cells;
  }

  void Screenshot(const char* name) {
    Pump();
    SaveScreenBmp(box_.get(), name);
  }

  // The colour painted in the middle of a list cell.
  static COLORREF CellColour(HWND list, int row, int column) {
    RECT r{};
    r.top = column;
    r.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    const base::WindowDc dc(list);
    return GetPixel(dc.get(), r.left + 2, r.bottom - 4);
  }

  base::WindowHandle box_;
  base::GdiObject<HFONT> normal_, fixed_;
  std::unique_ptr<TBoxDetails> details_;
};

using Texts = std::vector<std::string>;

TEST_F(BoxDetailsTest, TabsAndTheGeneralList) {
  EXPECT_EQ(TabNames(), (Texts{"general", "call stacks", "cpu regs", "stack dump", "disasm", "notes"}));
  EXPECT_EQ(SendMessageW(Tab(), TCM_GETCURSEL, 0, 0), 0);
  HWND list = List();
  ASSERT_TRUE(list);
  const LONG style = GetWindowLongW(list, GWL_STYLE);
  EXPECT_TRUE(style & LVS_OWNERDRAWFIXED);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SINGLESEL);
  EXPECT_TRUE(style & LVS_NOSORTHEADER);
  EXPECT_EQ(Columns(list), (Texts{"description", "value"}));
  EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 7);
  EXPECT_EQ(Row(list, 5), (Texts{"exception message", "Range check error."}));
  EXPECT_TRUE(details_->OwnsWindow(list));
  EXPECT_TRUE(details_->OwnsWindow(Tab()));
  EXPECT_FALSE(details_->OwnsWindow(box_.get()));
}

TEST_F(BoxDetailsTest, CallStackTabListsEveryThread) {
  SelectTab(1);
  HWND list = List();
  ASSERT_TRUE(list);
  EXPECT_EQ(Columns(list), (Texts{"address", "rel.", "module", "unit", "line", "rel.", "function"}));
  EXPECT_EQ(Row(list, 0)[0], ">>");
  EXPECT_EQ(Row(list, 1),
            (Texts{"00401063", "+23", "Sorvenal.exe", "BrisquelFileUtil.cpp", "57", "+9", "FileWordSum"}));
  EXPECT_EQ(Row(list, 10), (Texts{"00433120", "", "Sorvenal.exe", "worker.cpp", "", "", "WorkerLoop"}));
  // Headings and empty rows are white; the address column has its tint.
  EXPECT_EQ(CellColour(list, 7, 1), RGB(255, 255, 255));
  EXPECT_EQ(CellColour(list, 1, 2), 0xF4F4FFu);
  Screenshot("details_callstack.bmp");
}

TEST_F(BoxDetailsTest, DisassemblyTabMarksTheCurrentInstruction) {
  SelectTab(4);
  HWND list = List();
  ASSERT_TRUE(list);
  EXPECT_EQ(Columns(list), (Texts{"address", "asm code", "comments"}));
  EXPECT_EQ(Row(list, 5), (Texts{"0040105c", "\xA0 call    $00401200", "; ReadWords (Sorvenal.exe)"}));
  EXPECT_EQ(CellColour(list, 7, 1), 0xD0D0FFu);
  EXPECT_EQ(CellColour(list, 6, 1), RGB(255, 255, 255));
  EXPECT_EQ(CellColour(list, 6, 2), 0xF4F4FFu);
  Screenshot("details_disasm.bmp");
}

TEST_F(BoxDetailsTest, TextWithoutColumnsInAReadOnlyEdit) {
  SelectTab(5);
  EXPECT_FALSE(List());
  HWND edit = View(L"Edit");
  ASSERT_TRUE(edit);
  EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_MULTILINE);
  wchar_t text[128] = {};
  GetWindowTextW(edit, text, 128);
  EXPECT_STREQ(text, L"The file was shorter than four bytes.");
  Screenshot("details_edit.bmp");
}

// A report that grows while the box shows: new tabs come in at their place,
// the tab shown stays and its view is not rebuilt when its text is the same.
TEST_F(BoxDetailsTest, GrowingReportAddsTabsInPlace) {
  SelectTab(2);
  HWND before = List();
  ASSERT_TRUE(before);
  details_->Update(Header(), Sections(true));
  Pump();
  EXPECT_EQ(TabNames(),
            (Texts{"general", "call stacks", "cpu regs", "stack dump", "disasm", "notes", "modules", "processes"}));
  EXPECT_EQ(SendMessageW(Tab(), TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(List(), before);
  SelectTab(7);
  EXPECT_EQ(Columns(List()), (Texts{"id", "file name", "priority", "path"}));
  EXPECT_EQ(Row(List(), 2), (Texts{"7F0", "Sorvenal.exe", "below normal", "C:\\Program Files\\Brisquel"}));
  // The report loses its last sections: their tabs go.
  details_->Update(Header(), Sections(false));
  Pump();
  EXPECT_EQ(TabNames().size(), 6u);
  EXPECT_TRUE(List() || View(L"Edit"));
}

TEST_F(BoxDetailsTest, GrowWidensTheTabAndTheView) {
  RECT tab0, view0, tab1, view1;
  GetWindowRect(Tab(), &tab0);
  GetWindowRect(List(), &view0);
  details_->Grow(40, 30);
  GetWindowRect(Tab(), &tab1);
  GetWindowRect(List(), &view1);
  EXPECT_EQ(tab1.right - tab1.left, tab0.right - tab0.left + 40);
  EXPECT_EQ(tab1.bottom - tab1.top, tab0.bottom - tab0.top + 30);
  EXPECT_EQ(view1.right - view1.left, view0.right - view0.left + 40);
  EXPECT_EQ(view1.bottom - view1.top, view0.bottom - view0.top + 30);
  EXPECT_EQ(tab1.left, tab0.left);
}

// A box that destroys its window before the details object: the details
// forget their windows (nothing destroyed twice, no subclass left behind).
TEST_F(BoxDetailsTest, BoxWindowDestroyedFirst) {
  SelectTab(1);
  box_.reset();
  EXPECT_EQ(details_->TabControl(), nullptr);
  EXPECT_FALSE(details_->OwnsWindow(nullptr));
  details_->Update(Header(), Sections(true));
  details_->Grow(10, 10);
  details_.reset();
}

// Bad input: a 1 MB section and lines of 10,000 characters with control
// characters. The list keeps every row; the long lines show as raw text.
TEST_F(BoxDetailsTest, AMegabyteSectionAndLongLines) {
  std::vector<TBoxReportPart> sections = Sections(false);
  std::string modules;
  int lines = 0;
  for (; modules.size() < (1u << 20); ++lines) {
    char line[96];
    std::snprintf(line, sizeof line, "%08x module%05d.dll 6.1.7601.17514 C:\\windows\\system32\r\n",
                  0x10000000 + lines * 0x10000, lines);
    modules += line;
  }
  modules.resize(modules.size() - 2);
  sections.push_back({"modules", modules});
  std::string longLines;
  for (int i = 0; i < 10; ++i) longLines += std::string(10000, static_cast<char>('a' + i)) + "\x01\x07\r\n";
  sections.push_back({"long lines", longLines});
  const DWORD start = GetTickCount();
  details_->Update(Header(), sections);
  SelectTab(6);
  std::printf("1 MB modules section: %d rows shown in %lu ms\n", lines, GetTickCount() - start);
  ASSERT_TRUE(List());
  EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), lines);
  EXPECT_EQ(Row(List(), lines - 1)[1], "module" + std::to_string(lines - 1) + ".dll");
  const DWORD editStart = GetTickCount();
  SelectTab(7);
  std::printf("100,000 characters in 10 lines: shown in %lu ms\n", GetTickCount() - editStart);
  HWND edit = View(L"Edit");
  ASSERT_TRUE(edit);
  EXPECT_EQ(GetWindowTextLengthW(edit), static_cast<int>(longLines.size()));
}

// A development environment of this process: its main window and a message
// window whose class carries the environment thread's id.
std::string g_jumpText;
DWORD g_jumpProcess = 0;
LRESULT CALLBACK IdeHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == RegisterWindowMessageA("QuorExceptIdeJumpCommand")) {
    g_jumpProcess = static_cast<DWORD>(wParam);
    g_jumpText = reinterpret_cast<const char*>(lParam);
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(BoxDetailsTest, DoubleClickSendsTheRowToTheDevelopmentEnvironment) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW ide{};
  ide.lpfnWndProc = DefWindowProcW;
  ide.hInstance = instance;
  ide.lpszClassName = L"TAppBuilder";
  RegisterClassW(&ide);
  wchar_t handlerClass[64];
  std::swprintf(handlerClass, 64, L"quorToolsMsgHandlerWindow$%lx", GetCurrentThreadId());
  WNDCLASSW handler{};
  handler.lpfnWndProc = IdeHandler;
  handler.hInstance = instance;
  handler.lpszClassName = handlerClass;
  RegisterClassW(&handler);
  const base::WindowHandle main(CreateWindowExW(0, L"TAppBuilder", L"IDE", 0, 0, 0, 10, 10, nullptr, nullptr,
                                                instance, nullptr));
  const base::WindowHandle receiver(
      CreateWindowExW(0, handlerClass, L"", 0, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr));
  SetWindowPos(box_.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  SelectTab(1);
  HWND list = List();
  ASSERT_TRUE(list);
  RECT row{LVIR_BOUNDS, 0, 0, 0};
  SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM(row.left + 30, (row.top + row.bottom) / 2);
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(list, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(g_jumpText, "00402a10 +b0 Sorvenal.exe formmain.cpp 118 +7 TFormMain::CalculateClick");
  EXPECT_EQ(g_jumpProcess, GetCurrentProcessId());
  EXPECT_FALSE(GetWindowLongW(box_.get(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // The selected row: darker and framed.
  EXPECT_EQ(CellColour(list, 2, 1), 0xEFEFEFu);
  Screenshot("details_callstack_selected.bmp");
}

}  // namespace
}  // namespace quor
