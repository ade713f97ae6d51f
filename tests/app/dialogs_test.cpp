// Standard dialogs shown over the skinned main window under Wine: message
// boxes and the open dialog are skinned through the manager's hook (frame
// and client pixels against the painters), still answer Enter, Esc and
// clicks, a Yes/No box offers no Close, dialogs leave nothing behind, odd
// children and children made late are handled; screenshots in each skin.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "skin/orvComboBoxWnd.h"
#include "skin/orvDials.h"
#include "skin/orvHeaderWnd.h"
#include "skin/orvSpinWnd.h"
#include "skin/orvToolBarWnd.h"
#include "skin/sFramePainter.h"
#include "skin/sMessageBox.h"
#include "tests/app/DialogDriver.h"
#include "tests/app/MainFormFixture.h"
#include "tests/app/ScreenPicture.h"
#include "toolkit/WinText.h"

namespace {

using skin::TsBitmap24;

constexpr char kNoFile[] = "File does not exist - Please select a file by clicking on the yellow folder";

skin::TorvDialogWnd* SkinnerOf(HWND dialog) {
  skin::TorvProvider* p = skin::ProviderOfWindow(dialog);
  return p ? p->DialogSkinner() : nullptr;
}

// Screenshots go beside the test program (the open dialog changes the
// current folder while it browses).
std::string ShotPath(const std::string& name) {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring folder = exe;
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return tk::Narrow(folder) + name;
}

HWND ButtonWithText(HWND dialog, const wchar_t* text) {
  return FindWindowExW(dialog, nullptr, L"Button", text);
}

// Pixels of the window on the screen that differ from the skinner's
// picture: the frame everywhere (inside the window's shape), the client
// area where no child covers it.
int Mismatches(HWND dialog, skin::TorvDialogWnd& skinner) {
  const TsBitmap24 shown = ScreenPicture(dialog);
  const TsBitmap24& expected = skinner.Picture();
  EXPECT_EQ(shown.Width(), expected.Width());
  EXPECT_EQ(shown.Height(), expected.Height());
  const base::GdiObject<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
  const bool shaped = GetWindowRgn(dialog, shape.get()) != ERROR;
  RECT w;
  GetWindowRect(dialog, &w);
  int wrong = 0;
  for (int32_t y = 0; y < std::min(shown.Height(), expected.Height()); ++y)
    for (int32_t x = 0; x < std::min(shown.Width(), expected.Width()); ++x) {
      if (shaped && !PtInRegion(shape.get(), x, y)) continue;
      const POINT at{w.left + x, w.top + y};
      POINT client = at;
      ScreenToClient(dialog, &client);
      const HWND child = ChildWindowFromPointEx(dialog, client, CWP_SKIPINVISIBLE);
      if (child && child != dialog) continue;
      if (shown.Pixel(x, y) != expected.Pixel(x, y)) ++wrong;
    }
  return wrong;
}

// A plain "#32770" window with the children given, shown (and so activated).
HWND MakeDialog(const std::function<void(HWND)>& children) {
  const HWND d = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", L"Odd dialog",
                                 WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 100, 100, 520, 420, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
  children(d);
  ShowWindow(d, SW_SHOW);
  SetForegroundWindow(d);
  SetActiveWindow(d);
  return d;
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, RECT r) {
  return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                         r.bottom - r.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// The request of the program's folder button: an existing file from `dir`,
// its name into `picked` (MAX_PATH characters).
OPENFILENAMEW OpenFileRequest(HWND owner, wchar_t* picked, const wchar_t* dir) {
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFile = picked;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = dir;
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  return ofn;
}

class DialogsTest : public PerSkinTest {
protected:
  std::string Stem() const { return std::string(GetParam()).substr(0, std::string(GetParam()).find(' ')); }

  // The information box of the calculation flow; `step` sees it skinned.
  int32_t InformationBox(const DialogDriver::Step& step, int32_t x = -1, int32_t y = -1) {
    int32_t answer = 0;
    EXPECT_TRUE(DialogDriver::Run(step, [&] {
      answer = skin::ShowMessageBox(kNoFile, skin::TMsgKind::Information, skin::mbOK, x, y);
    }));
    app_->ProcessMessages();
    return answer;
  }
};

TEST_P(DialogsTest, InformationBoxIsSkinnedLikeThePaintersSayAndAnswersEnter) {
  const int32_t answer = InformationBox([&](HWND box) {
    skin::TorvDialogWnd* skinner = SkinnerOf(box);
    ASSERT_NE(skinner, nullptr);
    const skin::TsSkinManager& sm = *form_->sSkinManager1;
    EXPECT_EQ(skinner->Look().FormSection, sm.GetSkinIndex("DIALOG"));
    EXPECT_EQ(skinner->Look().TitleSection, sm.GetSkinIndex("FORMTITLE"));
    EXPECT_TRUE(skinner->CloseEnabled());
    EXPECT_EQ(Mismatches(box, *skinner), 0);
    // The client background is the "DIALOG" section's face.
    const RECT c = skin::ClientInWindow(box);
    EXPECT_EQ(skinner->Picture().Pixel(c.left + 2, c.bottom - 2),
              SectionFace(sm, "DIALOG", false, c.right - c.left, c.bottom - c.top, 2, c.bottom - c.top - 2));
    // The text, the icon and the button have their skinners.
    int skinned = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (skin::TorvMainWnd::Of(child)) ++skinned;
    EXPECT_GE(skinned, 3);
    // Wine: the system caption buttons are gone with WS_SYSMENU.
    EXPECT_FALSE(GetWindowLongW(box, GWL_STYLE) & WS_SYSMENU);
    SaveBmp(ScreenPicture(box), ShotPath("dialog_info_" + Stem() + ".bmp").c_str());
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(answer, IDOK);
}

TEST_P(DialogsTest, EscAndClicksGiveTheButtonsAnswers) {
  struct Case {
    uint16_t buttons;
    int key;                 // 0: click the button named
    const wchar_t* button;
    int32_t answer;
  };
  const Case cases[] = {
      {skin::mbOK | skin::mbCancel, VK_ESCAPE, nullptr, IDCANCEL},
      {skin::mbOK | skin::mbCancel, 0, L"OK", IDOK},
      {skin::mbYes | skin::mbNo, 0, L"&No", IDNO},
  };
  for (const Case& c : cases) {
    int32_t answer = 0;
    EXPECT_TRUE(DialogDriver::Run(
        [&](HWND box) {
          EXPECT_NE(SkinnerOf(box), nullptr);
          if (c.key) {
            PostMessageW(GetFocus(), WM_KEYDOWN, c.key, 0);
            return;
          }
          const HWND b = ButtonWithText(box, c.button);
          ASSERT_NE(b, nullptr);
          // A click as the mouse gives it, through the skinned button.
          SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
          SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        },
        [&] { answer = skin::ShowMessageBox("Text", skin::TMsgKind::Confirm, c.buttons); }));
    EXPECT_EQ(answer, c.answer) << c.buttons;
  }
}

TEST_P(DialogsTest, YesNoBoxHasNoWorkingClose) {
  int32_t answer = 0;
  EXPECT_TRUE(DialogDriver::Run(
      [&](HWND box) {
        skin::TorvDialogWnd* skinner = SkinnerOf(box);
        ASSERT_NE(skinner, nullptr);
        EXPECT_FALSE(skinner->CloseEnabled());
        const skin::TFrameLayout f = skinner->Layout();
        ASSERT_TRUE(f.Shown[skin::cbClose]);
        RECT w;
        GetWindowRect(box, &w);
        const skin::TFrameRect& close = f.Buttons[skin::cbClose];
        const LPARAM at = MAKELPARAM(w.left + (close.Left + close.Right) / 2, w.top + (close.Top + close.Bottom) / 2);
        EXPECT_EQ(SendMessageW(box, WM_NCHITTEST, 0, at), HTCAPTION);
        // It shows the painter's disabled look, unlike an enabled Close, and
        // lights up neither under the cursor nor when pressed.
        const TsBitmap24 before = ScreenPicture(box);
        const auto closeDiffers = [&](const TsBitmap24& a, const TsBitmap24& b) {
          int differ = 0;
          for (int32_t y = close.Top; y < close.Bottom; ++y)
            for (int32_t x = close.Left; x < close.Right; ++x) differ += a.Pixel(x, y) != b.Pixel(x, y);
          return differ;
        };
        TsBitmap24 disabled(before.Width(), before.Height()), enabled(before.Width(), before.Height());
        skin::PaintFrame(disabled, form_->sSkinManager1->Skin(), f, skinner->Look());
        skin::TFrameLayout offered = f;
        offered.Enabled[skin::cbClose] = true;
        skin::PaintFrame(enabled, form_->sSkinManager1->Skin(), offered, skinner->Look());
        EXPECT_EQ(closeDiffers(before, disabled), 0);
        EXPECT_GT(closeDiffers(before, enabled), 0);
        SetCursorPos(w.left + (close.Left + close.Right) / 2, w.top + (close.Top + close.Bottom) / 2);
        SendMessageW(box, WM_NCMOUSEMOVE, HTCLOSE, at);
        // Neither a click on it, nor Alt+F4, nor the menu's Close end the box.
        SendMessageW(box, WM_NCLBUTTONDOWN, HTCLOSE, at);
        EXPECT_NE(GetCapture(), box);
        EXPECT_EQ(closeDiffers(ScreenPicture(box), before), 0);
        SendMessageW(box, WM_LBUTTONUP, 0, 0);
        SendMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(IsWindowVisible(box));
        skinner->SystemMenu().Refresh(skin::TFrameBorder::Dialog, f);
        EXPECT_FALSE(skinner->SystemMenu().Item("ItemClose")->Enabled);
        SendMessageW(ButtonWithText(box, L"&Yes"), BM_CLICK, 0, 0);
      },
      [&] { answer = skin::ShowMessageBox("Delete?", skin::TMsgKind::Confirm, skin::mbYes | skin::mbNo); }));
  EXPECT_EQ(answer, IDYES);
}

TEST_P(DialogsTest, BoxGoesWhereTheMessageBoxRoutineSays) {
  RECT at{};
  InformationBox(
      [&](HWND box) {
        GetWindowRect(box, &at);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      },
      40, 50);
  EXPECT_EQ(at.left, 40);
  EXPECT_EQ(at.top, 50);
  EXPECT_EQ(skin::MessageBoxPosition().x, -1);
}

TEST_P(DialogsTest, OpenDialogIsSkinnedAndReturnsTheFilePicked) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring path = std::wstring(temp) + L"dialogs_test_pick.txt";
  {
    const HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
  }
  wchar_t picked[MAX_PATH] = {};
  OPENFILENAMEW ofn = OpenFileRequest(form_->Handle(), picked, temp);
  BOOL ok = FALSE;
  EXPECT_TRUE(DialogDriver::Run(
      [&](HWND dialog) {
        skin::TorvDialogWnd* skinner = SkinnerOf(dialog);
        EXPECT_NE(skinner, nullptr);
        if (skinner) EXPECT_EQ(Mismatches(dialog, *skinner), 0);
        SaveBmp(ScreenPicture(dialog), ShotPath("dialog_open_" + Stem() + ".bmp").c_str());
        for (int id : {0x47C, 0x480}) SetDlgItemTextW(dialog, id, path.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      },
      [&] { ok = GetOpenFileNameW(&ofn); }));
  EXPECT_TRUE(ok);
  EXPECT_EQ(std::wstring(picked), path);
  DeleteFileW(path.c_str());
}

// The statics of a dialog as "class w x h" lines, for the dialog kinds
// recognised by their sizes.
std::string StaticSizes(HWND dialog) {
  std::string sizes;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    if (skin::LowerAscii(tk::Narrow(cls)) != "static") continue;
    RECT r;
    GetWindowRect(c, &r);
    sizes += " " + std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
  }
  return sizes;
}

// The system's font and colour dialogs are skinned (or left alone) without
// harm and still answer; what kind each was taken for is printed.
TEST_P(DialogsTest, FontAndColourDialogsOpenAndCloseSkinned) {
  const auto cancel = [&](const char* name) {
    return [this, name](HWND dialog) {
      skin::TorvProvider* p = skin::ProviderOfWindow(dialog);
      std::printf("%s dialog: provider %s, kind %d, statics%s\n", name, p ? "yes" : "no",
                  p ? p->DialogKind : -1, StaticSizes(dialog).c_str());
      const TsBitmap24 shot = ScreenPicture(dialog);
      SaveBmp(shot, ShotPath("dialog_" + std::string(name) + "_" + Stem() + ".bmp").c_str());
      // The dialog's own painting still runs: the colour dialog shows its
      // spectrum (Wine's is not the size its kind is recognised by).
      if (std::string(name) == "colour") {
        std::set<skin::TColor> colours;
        for (int32_t y = 0; y < shot.Height(); ++y)
          for (int32_t x = 0; x < shot.Width(); ++x) colours.insert(shot.Pixel(x, y));
        EXPECT_GT(colours.size(), 1000u);
      }
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    };
  };
  COLORREF custom[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = form_->Handle();
  cc.lpCustColors = custom;
  cc.Flags = CC_FULLOPEN;
  EXPECT_TRUE(DialogDriver::Run(cancel("colour"), [&] { EXPECT_FALSE(ChooseColorW(&cc)); }));
  LOGFONTW lf{};
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = form_->Handle();
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS;
  EXPECT_TRUE(DialogDriver::Run(cancel("font"), [&] { EXPECT_FALSE(ChooseFontW(&cf)); }));
  app_->ProcessMessages();
}

INSTANTIATE_TEST_SUITE_P(Skins, DialogsTest, kInternalSkins, SkinTestName);

class DialogLifeTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override { ShowForm(); }
  void TearDown() override { delete app_; }
};

TEST_F(DialogLifeTest, HundredBoxesLeaveNothingBehindAndTheNextIsSkinned) {
  const auto closeBox = [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); };
  const auto show = [&] {
    return DialogDriver::Run(closeBox, [] { skin::ShowMessageBox("Box", skin::TMsgKind::Information, skin::mbOK); });
  };
  ASSERT_TRUE(show());  // the first one loads what the system keeps for good
  app_->ProcessMessages();
  const size_t providers = skin::ProviderList().size();
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(show()) << i;
  app_->ProcessMessages();
  // A few objects of slack: the system's own caches may grow a little.
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 4);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user + 4);
  EXPECT_EQ(skin::ProviderList().size(), providers);
  bool skinned = false;
  DialogDriver::Run(
      [&](HWND box) {
        skinned = SkinnerOf(box) != nullptr;
        closeBox(box);
      },
      [] { skin::ShowMessageBox("Box", skin::TMsgKind::Information, skin::mbOK); });
  EXPECT_TRUE(skinned);
}

TEST_F(DialogLifeTest, UnknownAndLateChildrenAreHandledAndTheDialogFreedWithItsWindow) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SomethingNobodyKnows";
  RegisterClassW(&wc);
  const HWND d = MakeDialog([](HWND p) {
    Child(p, L"SomethingNobodyKnows", L"", 0, {10, 10, 60, 60});
    Child(p, L"Static", L"Early text", 0, {70, 10, 200, 30});
  });
  app_->ProcessMessages();
  skin::TorvProvider* provider = skin::ProviderOfWindow(d);
  ASSERT_NE(provider, nullptr);
  ASSERT_NE(provider->DialogSkinner(), nullptr);
  const size_t early = provider->ChildSkinners().size();
  EXPECT_EQ(early, 1u);  // the static; the unknown class is left to the system
  // Children made after the dialog is shown are skinned when it asks.
  const HWND late = Child(d, L"Button", L"Late", BS_PUSHBUTTON, {10, 100, 90, 125});
  Child(d, L"SomethingNobodyKnows", L"", 0, {100, 100, 150, 150});
  SendMessageW(d, skin::SM_SKINCMD, skin::MakeSkinCmd(28), 0);
  EXPECT_NE(skin::TorvMainWnd::Of(late), nullptr);
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  app_->ProcessMessages();
  const size_t before = skin::ProviderList().size();
  DestroyWindow(d);
  EXPECT_EQ(skin::ProviderList().size(), before - 1);
  EXPECT_EQ(skin::ProviderOfWindow(d), nullptr);
}

TEST_F(DialogLifeTest, PropertySheetSizedTabControlLeavesTheDialogUnskinned) {
  const HWND d = MakeDialog([](HWND p) { Child(p, L"SysTabControl32", L"", 0, {5, 5, 475, 354}); });
  app_->ProcessMessages();
  EXPECT_EQ(skin::ProviderOfWindow(d), nullptr);
  EXPECT_TRUE(GetWindowLongW(d, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(skin::TorvMainWnd::Of(d), nullptr);
  DestroyWindow(d);
}

TEST_F(DialogLifeTest, OpenDialogFollowsASkinChange) {
  const HWND d = MakeDialog([](HWND p) { Child(p, L"Button", L"OK", BS_PUSHBUTTON, {10, 10, 90, 35}); });
  app_->ProcessMessages();
  skin::TorvDialogWnd* skinner = SkinnerOf(d);
  ASSERT_NE(skinner, nullptr);
  for (const char* name : {"GrayPlastic (internal)", "Office12Style (internal)"}) {
    Switch(name);
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    app_->ProcessMessages();
    EXPECT_EQ(skinner->Look().FormSection, form_->sSkinManager1->GetSkinIndex("DIALOG")) << name;
    EXPECT_EQ(Mismatches(d, *skinner), 0) << name;
  }
  DestroyWindow(d);
}

TEST_F(DialogLifeTest, RemovingTheSkinGivesTheSystemFrameBackAndStopsTheHook) {
  const HWND d = MakeDialog([](HWND p) { Child(p, L"Static", L"Text", 0, {10, 10, 100, 30}); });
  app_->ProcessMessages();
  ASSERT_NE(SkinnerOf(d), nullptr);
  EXPECT_FALSE(GetWindowLongW(d, GWL_STYLE) & WS_SYSMENU);
  form_->sSkinManager1->SetActive(false);
  app_->ProcessMessages();
  EXPECT_FALSE(skin::DialogHookInstalled());
  EXPECT_EQ(skin::ProviderOfWindow(d), nullptr);
  EXPECT_TRUE(GetWindowLongW(d, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(skin::TorvMainWnd::Of(d), nullptr);
  DestroyWindow(d);
  form_->sSkinManager1->SetActive(true);
  app_->ProcessMessages();
  EXPECT_TRUE(skin::DialogHookInstalled());
}

}  // namespace

namespace {

// Check boxes, radio buttons and a group box in a dialog: skinned, the
// check still follows clicks, the box images of the skin on the screen.
TEST_P(DialogsTest, CheckBoxesAndGroupBoxesAreSkinnedAndStillWork) {
  HWND check = nullptr, radio = nullptr, group = nullptr;
  const HWND d = MakeDialog([&](HWND p) {
    group = Child(p, L"Button", L"Options", BS_GROUPBOX, {10, 10, 250, 120});
    check = Child(p, L"Button", L"Read only", BS_AUTOCHECKBOX, {20, 35, 200, 55});
    radio = Child(p, L"Button", L"Whole file", BS_AUTORADIOBUTTON, {20, 65, 200, 85});
  });
  app_->ProcessMessages();
  for (HWND h : {check, radio, group}) EXPECT_NE(skin::TorvMainWnd::Of(h), nullptr);
  SendMessageW(check, BM_CLICK, 0, 0);
  SendMessageW(radio, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  app_->ProcessMessages();
  // What the screen shows is the skinner's picture, and the picture
  // follows the check.
  auto* skinner = static_cast<skin::TorvCheckBoxWnd*>(skin::TorvMainWnd::Of(check));
  const TsBitmap24 checked = skinner->Picture(), shown = Shot(check);
  int wrong = 0;
  for (int32_t y = 0; y < shown.Height(); ++y)
    for (int32_t x = 0; x < shown.Width(); ++x) wrong += shown.Pixel(x, y) != checked.Pixel(x, y);
  EXPECT_EQ(wrong, 0);
  SendMessageW(check, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  const TsBitmap24 unchecked = skinner->Picture();
  int changed = 0;
  for (int32_t y = 0; y < shown.Height(); ++y)
    for (int32_t x = 0; x < shown.Width(); ++x) changed += unchecked.Pixel(x, y) != checked.Pixel(x, y);
  EXPECT_GT(changed, 0);
  SendMessageW(check, BM_CLICK, 0, 0);
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SaveBmp(ScreenPicture(d), ShotPath("dialog_checks_" + Stem() + ".bmp").c_str());
  DestroyWindow(d);
}

}  // namespace

namespace {

// The notifications a dialog gets from its children, recorded through the
// dialog's subclass chain: WM_COMMAND and WM_NOTIFY with the sender's id and
// the notification code.
struct TNote {
  UINT Msg;
  int Id, Code;
  bool operator==(const TNote&) const = default;
};
using TNotes = std::vector<TNote>;

LRESULT CALLBACK RecordNotes(HWND h, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR notes) {
  auto* n = reinterpret_cast<TNotes*>(notes);
  if (msg == WM_COMMAND) n->push_back({WM_COMMAND, LOWORD(w), HIWORD(w)});
  if (msg == WM_NOTIFY) {
    const auto* hdr = reinterpret_cast<NMHDR*>(l);
    n->push_back({WM_NOTIFY, static_cast<int>(hdr->idFrom), static_cast<int>(hdr->code)});
  }
  return DefSubclassProc(h, msg, w, l);
}

bool Noted(const TNotes& notes, UINT msg, int code, int id = -1) {
  return std::any_of(notes.begin(), notes.end(),
                     [&](const TNote& n) { return n.Msg == msg && n.Code == code && (id < 0 || n.Id == id); });
}

// Pixels of a skinned child on the screen that differ from its skinner's
// picture, outside the windows inside it.
int ChildMismatches(HWND child) {
  auto* skinner = dynamic_cast<skin::TorvChildWnd*>(skin::TorvMainWnd::Of(child));
  EXPECT_NE(skinner, nullptr);
  if (!skinner) return -1;
  const TsBitmap24 shown = MainFormFixture::Shot(child), expected = skinner->Picture();
  int wrong = 0;
  for (int32_t y = 0; y < std::min(shown.Height(), expected.Height()); ++y)
    for (int32_t x = 0; x < std::min(shown.Width(), expected.Width()); ++x) {
      const HWND inner = ChildWindowFromPointEx(child, {x, y}, CWP_SKIPINVISIBLE);
      if (inner && inner != child) continue;
      wrong += shown.Pixel(x, y) != expected.Pixel(x, y);
    }
  return wrong;
}

void RedrawAll(HWND d) {
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  tk::Application->ProcessMessages();
}

LPARAM Centre(const RECT& r) { return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// A left click at a client point, as the mouse gives it.
void Click(HWND h, LPARAM at) {
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(h, WM_LBUTTONUP, 0, at);
}

// Pixels that differ between two pictures inside `area`.
int Differences(const TsBitmap24& a, const TsBitmap24& b, RECT area) {
  int changed = 0;
  for (int32_t y = area.top; y < area.bottom; ++y)
    for (int32_t x = area.left; x < area.right; ++x) changed += a.Pixel(x, y) != b.Pixel(x, y);
  return changed;
}

// The end of a test's dialog: the control shown as its skinner paints it,
// a screenshot, the recorder out, the window gone.
void Finish(HWND d, HWND control, const std::string& shot) {
  RedrawAll(d);
  EXPECT_EQ(ChildMismatches(control), 0);
  SaveBmp(ScreenPicture(d), ShotPath(shot).c_str());
  RemoveWindowSubclass(d, RecordNotes, 1);
  DestroyWindow(d);
}

// Drop-down combos: frame and button from the skin as the painter says,
// the list opens, gets the skin's frame and picks by keys and by mouse.
TEST_P(DialogsTest, CombosAreSkinnedOpenAndPickByKeysAndMouse) {
  HWND pick = nullptr, typed = nullptr;
  const HWND d = MakeDialog([&](HWND p) {
    pick = Child(p, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {10, 10, 200, 200});
    typed = Child(p, L"ComboBox", L"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, {10, 50, 200, 240});
    for (HWND c : {pick, typed})
      for (const wchar_t* s : {L"Alpha", L"Beta", L"Gamma"}) SendMessageW(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  });
  TNotes notes;
  SetWindowSubclass(d, RecordNotes, 1, reinterpret_cast<DWORD_PTR>(&notes));
  SendMessageW(pick, CB_SETCURSEL, 0, 0);
  app_->ProcessMessages();
  auto* skinner = dynamic_cast<skin::TorvComboBoxWnd*>(skin::TorvMainWnd::Of(pick));
  ASSERT_NE(skinner, nullptr);
  ASSERT_NE(dynamic_cast<skin::TorvComboBoxWnd*>(skin::TorvMainWnd::Of(typed)), nullptr);
  RedrawAll(d);
  for (HWND c : {pick, typed}) EXPECT_EQ(ChildMismatches(c), 0);
  // The button is the skin's, not the system's: its picture changes with
  // the state while the list is open.
  const TsBitmap24 closed = skinner->Picture();
  const RECT button = skinner->ButtonRect();
  Click(pick, Centre(button));
  app_->ProcessMessages();
  ASSERT_TRUE(SendMessageW(pick, CB_GETDROPPEDSTATE, 0, 0));
  const TsBitmap24 open = skinner->Picture();
  EXPECT_GT(Differences(open, closed, button), 0);
  EXPECT_EQ(ChildMismatches(pick), 0);
  ASSERT_NE(skinner->ListSkinner(), nullptr);
  COMBOBOXINFO info{sizeof info};
  GetComboBoxInfo(pick, &info);
  EXPECT_EQ(skinner->ListSkinner()->WindowHandle(), info.hwndList);
  SaveBmp(ScreenPicture(d), ShotPath("dialog_combo_open_" + Stem() + ".bmp").c_str());
  // Keys: down one, Enter picks and closes.
  SendMessageW(pick, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageW(pick, WM_KEYDOWN, VK_RETURN, 0);
  app_->ProcessMessages();
  EXPECT_FALSE(SendMessageW(pick, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessageW(pick, CB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(Noted(notes, WM_COMMAND, CBN_SELCHANGE));
  // Mouse: open, click the third item.
  SendMessageW(pick, CB_SHOWDROPDOWN, TRUE, 0);
  app_->ProcessMessages();
  RECT item{};
  SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, Centre(item));
  Click(info.hwndList, Centre(item));
  app_->ProcessMessages();
  EXPECT_FALSE(SendMessageW(pick, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessageW(pick, CB_GETCURSEL, 0, 0), 2);
  Finish(d, pick, "dialog_combo_" + Stem() + ".bmp");
}

// A list view's header: columns from "COLHEADER" as the painter says, the
// sort arrow shown, column clicks and resizing still reach the dialog.
TEST_P(DialogsTest, ListViewHeaderIsSkinnedAndClicksAndResizes) {
  HWND list = nullptr;
  const HWND d = MakeDialog([&](HWND p) {
    list = Child(p, WC_LISTVIEWW, L"", LVS_REPORT | WS_BORDER, {10, 10, 400, 200});
    const wchar_t* names[] = {L"Name", L"Size"};
    for (int i = 0; i < 2; ++i) {
      LVCOLUMNW col{};
      col.mask = LVCF_TEXT | LVCF_WIDTH;
      col.cx = 120;
      col.pszText = const_cast<wchar_t*>(names[i]);
      SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    }
    LVITEMW it{};
    it.mask = LVIF_TEXT;
    it.pszText = const_cast<wchar_t*>(L"readme.txt");
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it));
  });
  TNotes notes;
  SetWindowSubclass(d, RecordNotes, 1, reinterpret_cast<DWORD_PTR>(&notes));
  app_->ProcessMessages();
  auto* lv = dynamic_cast<skin::TorvListViewWnd*>(skin::TorvMainWnd::Of(list));
  ASSERT_NE(lv, nullptr);
  const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_NE(lv->HeaderSkinner(), nullptr);
  EXPECT_EQ(lv->HeaderSkinner()->WindowHandle(), header);
  // The internal skins have no "COLHEADER": the columns look like buttons.
  const skin::TsSkinManager& sm = *form_->sSkinManager1;
  EXPECT_EQ(lv->HeaderSkinner()->SkinData().SectionIndex,
            sm.GetSkinIndex("COLHEADER") >= 0 ? sm.GetSkinIndex("COLHEADER") : sm.GetSkinIndex("BUTTON"));
  EXPECT_GE(lv->HeaderSkinner()->SkinData().SectionIndex, 0);
  RedrawAll(d);
  EXPECT_EQ(ChildMismatches(header), 0);
  const TsBitmap24 plain = lv->HeaderSkinner()->Picture();
  HDITEMW sorted{};
  sorted.mask = HDI_FORMAT;
  sorted.fmt = HDF_STRING | HDF_SORTUP;
  SendMessageW(header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&sorted));
  RedrawAll(d);
  EXPECT_EQ(ChildMismatches(header), 0);
  const TsBitmap24 arrow = lv->HeaderSkinner()->Picture();
  EXPECT_GT(Differences(plain, arrow, {0, 0, plain.Width(), plain.Height()}), 0);
  // A click on the second column.
  RECT second{};
  SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  Click(header, Centre(second));
  app_->ProcessMessages();
  EXPECT_TRUE(Noted(notes, WM_NOTIFY, LVN_COLUMNCLICK));
  // Dragging the first column's divider 30 pixels to the right.
  RECT first{};
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  const int y = (first.top + first.bottom) / 2;
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.right - 1, y));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first.right + 29, y));
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(first.right + 29, y));
  app_->ProcessMessages();
  EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 150);
  Finish(d, header, "dialog_header_" + Stem() + ".bmp");
}

// A tool bar: background and buttons as the painter says, the hot button
// looks different, clicks and checks still work.
TEST_P(DialogsTest, ToolBarIsSkinnedAndItsButtonsWork) {
  constexpr int kFirst = 1001, kCheck = 1002;
  HWND bar = nullptr;
  const HWND d = MakeDialog([&](HWND p) {
    bar = Child(p, TOOLBARCLASSNAMEW, L"", TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN, {10, 10, 300, 40});
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP std{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    SendMessageW(bar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&std));
    TBBUTTON buttons[] = {{STD_FILEOPEN, kFirst, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
                          {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
                          {STD_PROPERTIES, kCheck, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0}};
    SendMessageW(bar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
  });
  TNotes notes;
  SetWindowSubclass(d, RecordNotes, 1, reinterpret_cast<DWORD_PTR>(&notes));
  app_->ProcessMessages();
  auto* skinner = dynamic_cast<skin::TorvToolBarWnd*>(skin::TorvMainWnd::Of(bar));
  ASSERT_NE(skinner, nullptr);
  RedrawAll(d);
  EXPECT_EQ(ChildMismatches(bar), 0);
  SendMessageW(bar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(skinner->ButtonState(0), 0);
  const TsBitmap24 rest = skinner->Picture();
  SendMessageW(bar, TB_SETHOTITEM, 0, 0);
  EXPECT_EQ(skinner->ButtonState(0), 1);
  RECT first{};
  SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  const TsBitmap24 hot = skinner->Picture();
  EXPECT_GT(Differences(hot, rest, first), 0);
  Click(bar, Centre(first));
  app_->ProcessMessages();
  EXPECT_TRUE(Noted(notes, WM_COMMAND, 0, kFirst));
  RECT check{};
  SendMessageW(bar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&check));
  Click(bar, Centre(check));
  app_->ProcessMessages();
  EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONCHECKED, kCheck, 0));
  EXPECT_EQ(skinner->ButtonState(2), 2);
  Finish(d, bar, "dialog_toolbar_" + Stem() + ".bmp");
}

// An up-down control with its buddy and a size grip: painted as the
// painters say, the arrows still count; a real scroll bar is left alone.
TEST_P(DialogsTest, SpinAndSizeGripAreSkinnedAndWork) {
  HWND spin = nullptr, grip = nullptr, bar = nullptr;
  const HWND d = MakeDialog([&](HWND p) {
    const HWND buddy = Child(p, L"Edit", L"5", WS_BORDER, {10, 10, 80, 32});
    spin = Child(p, UPDOWN_CLASSW, L"", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, {80, 10, 98, 32});
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(spin, UDM_SETRANGE32, 0, 100);
    SendMessageW(spin, UDM_SETPOS32, 0, 5);
    grip = Child(p, L"ScrollBar", L"", SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, {480, 360, 497, 377});
    bar = Child(p, L"ScrollBar", L"", SBS_VERT, {300, 10, 317, 200});
  });
  app_->ProcessMessages();
  auto* skinner = dynamic_cast<skin::TorvSpinWnd*>(skin::TorvMainWnd::Of(spin));
  ASSERT_NE(skinner, nullptr);
  EXPECT_NE(dynamic_cast<skin::TorvSizerWnd*>(skin::TorvMainWnd::Of(grip)), nullptr);
  EXPECT_EQ(skin::TorvMainWnd::Of(bar), nullptr);
  RedrawAll(d);
  for (HWND h : {spin, grip}) EXPECT_EQ(ChildMismatches(h), 0);
  const RECT up = skinner->HalfRect(0);
  SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, Centre(up));
  EXPECT_EQ(skinner->HalfState(0), 2);
  SendMessageW(spin, WM_LBUTTONUP, 0, Centre(up));
  app_->ProcessMessages();
  EXPECT_EQ(skinner->HalfState(0), 0);
  EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 6);
  Finish(d, spin, "dialog_spin_" + Stem() + ".bmp");
}

// The command of the open dialog's tool-bar button that shows the details
// view (Wine's file dialog).
constexpr WPARAM kDetailsViewCommand = 0xA004;

// Every window inside a dialog, as "class" lines with how many there are and
// how many of them have skinners.
std::string ChildClasses(HWND dialog) {
  std::map<std::string, std::pair<int, int>> seen;
  EnumChildWindows(
      dialog,
      [](HWND h, LPARAM out) -> BOOL CALLBACK {
        wchar_t cls[64] = {};
        GetClassNameW(h, cls, 64);
        auto& n = (*reinterpret_cast<std::map<std::string, std::pair<int, int>>*>(out))[tk::Narrow(cls)];
        ++n.first;
        if (skin::TorvMainWnd::Of(h)) ++n.second;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  std::string text;
  for (const auto& [cls, n] : seen)
    text += " " + cls + " " + std::to_string(n.first) + " (" + std::to_string(n.second) + " skinned)";
  return text;
}

// Every painted child of the dialog shows its skinner's picture.
void ExpectChildrenAsPainted(HWND dialog, const char* view) {
  std::vector<HWND> all;
  EnumChildWindows(
      dialog,
      [](HWND h, LPARAM out) -> BOOL CALLBACK {
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  for (HWND h : all) {
    if (!IsWindowVisible(h) || !dynamic_cast<skin::TorvChildWnd*>(skin::TorvMainWnd::Of(h))) continue;
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    // Buttons and texts are compared elsewhere; these are the controls here.
    const std::string c = skin::LowerAscii(tk::Narrow(cls));
    if (c == "combobox" || c == "toolbarwindow32" || c == "sysheader32")
      EXPECT_EQ(ChildMismatches(h), 0) << c << " in the " << view << " view";
  }
}

// The program's own open dialog in the list and details views: its combos,
// tool bar, list view and header skinned and as the painters say.
TEST_P(DialogsTest, OpenDialogControlsAreSkinnedInListAndDetailsView) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  wchar_t picked[MAX_PATH] = {};
  OPENFILENAMEW ofn = OpenFileRequest(form_->Handle(), picked, temp);
  EXPECT_TRUE(DialogDriver::Run(
      [&](HWND dialog) {
        std::printf("open dialog:%s\n", ChildClasses(dialog).c_str());
        std::fflush(stdout);
        const HWND bar = FindWindowExW(dialog, nullptr, TOOLBARCLASSNAMEW, nullptr);
        EXPECT_NE(dynamic_cast<skin::TorvToolBarWnd*>(skin::TorvMainWnd::Of(bar)), nullptr);
        for (HWND c = FindWindowExW(dialog, nullptr, L"ComboBox", nullptr); c;
             c = FindWindowExW(dialog, c, L"ComboBox", nullptr))
          EXPECT_NE(dynamic_cast<skin::TorvComboBoxWnd*>(skin::TorvMainWnd::Of(c)), nullptr);
        RedrawAll(dialog);
        ExpectChildrenAsPainted(dialog, "list");
        SaveBmp(ScreenPicture(dialog), ShotPath("dialog_open_list_" + Stem() + ".bmp").c_str());
        std::printf("list view checked\n");
        std::fflush(stdout);
        SendMessageW(dialog, WM_COMMAND, kDetailsViewCommand, 0);
        std::printf("details view shown\n");
        std::fflush(stdout);
        RedrawAll(dialog);
        RedrawAll(dialog);
        std::printf("open dialog, details:%s\n", ChildClasses(dialog).c_str());
        const HWND view = FindWindowExW(FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr), nullptr,
                                        WC_LISTVIEWW, nullptr);
        auto* lv = dynamic_cast<skin::TorvListViewWnd*>(skin::TorvMainWnd::Of(view));
        EXPECT_NE(lv, nullptr);
        if (lv) EXPECT_NE(lv->HeaderSkinner(), nullptr);
        ExpectChildrenAsPainted(dialog, "details");
        SaveBmp(ScreenPicture(dialog), ShotPath("dialog_open_details_" + Stem() + ".bmp").c_str());
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      },
      [&] { GetOpenFileNameW(&ofn); }));
}

// The controls' skinners follow a skin change and, shown and closed many
// times, leave no GDI or USER objects behind.
TEST_F(DialogLifeTest, DialogControlsFollowASkinChangeAndLeaveNothingBehind) {
  const auto show = [] {
    HWND combo = nullptr, list = nullptr, bar = nullptr, spin = nullptr;
    const HWND d = MakeDialog([&](HWND p) {
      combo = Child(p, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, {10, 10, 200, 200});
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Alpha"));
      SendMessageW(combo, CB_SETCURSEL, 0, 0);
      list = Child(p, WC_LISTVIEWW, L"", LVS_REPORT | WS_BORDER, {10, 50, 300, 200});
      LVCOLUMNW col{LVCF_TEXT | LVCF_WIDTH, 0, 100, const_cast<wchar_t*>(L"Name")};
      SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
      bar = Child(p, TOOLBARCLASSNAMEW, L"", TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN, {10, 210, 300, 240});
      SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
      TBADDBITMAP std{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
      SendMessageW(bar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&std));
      TBBUTTON button{STD_FILEOPEN, 1001, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
      SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
      spin = Child(p, UPDOWN_CLASSW, L"", 0, {320, 10, 338, 32});
    });
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    RedrawAll(d);
    return std::make_tuple(d, std::vector<HWND>{combo, reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), bar, spin});
  };
  auto [d, controls] = show();
  for (const char* name : {"GrayPlastic (internal)", "Neutral (internal)", "Office12Style (internal)"}) {
    Switch(name);
    RedrawAll(d);
    for (HWND h : controls) EXPECT_EQ(ChildMismatches(h), 0) << name;
  }
  DestroyWindow(d);
  app_->ProcessMessages();
  const DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 20; ++i) DestroyWindow(std::get<0>(show()));
  app_->ProcessMessages();
  // A few objects of slack: the system's own caches may grow a little.
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdi + 4);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), user + 4);
}

}  // namespace
