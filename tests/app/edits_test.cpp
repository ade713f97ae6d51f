// The file-name edit of the main window in real windows, driven by messages
// as a user would: typing (also outside the code page), the folder button
// and its dialog, Alt+Down, Enter for the default button, pasting line
// breaks, long paths, FileName validation, and the skinned look with and
// without the focus; screenshots in every skin for people to look at.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "skin/sDefaultGlyphs.h"
#include "tests/app/Bmp24.h"
#include "tests/app/MainFormFixture.h"
#include "toolkit/FileNames.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace {

// The open dialog's file-name field (explorer style: a combo box, or the
// plain edit of older dialogs).
constexpr int kFileNameCombo = 0x47C, kFileNameEdit = 0x480;

// What the dialog timer does once it finds the dialog.
struct DialogPlan {
  std::wstring fileName;  // empty: cancel
  bool seen = false;
  std::wstring initialFolder;  // the folder the dialog opened in
};
DialogPlan* g_plan = nullptr;

BOOL CALLBACK FindDialog(HWND h, LPARAM found) {
  wchar_t cls[16] = {};
  GetClassNameW(h, cls, 16);
  if (IsWindowVisible(h) && std::wstring(cls) == L"#32770") {
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK DialogTimer(HWND owner, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || !g_plan) return;
  KillTimer(owner, id);
  g_plan->seen = true;
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  g_plan->initialFolder = folder;
  if (g_plan->fileName.empty()) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  for (int id2 : {kFileNameCombo, kFileNameEdit}) SetDlgItemTextW(dialog, id2, g_plan->fileName.c_str());
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

class EditsTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override {
    ShowForm();
    edit_ = form_->sFilenameEdit1;
  }
  void TearDown() override {
    g_plan = nullptr;
    delete app_;
  }

  void Focus(tk::TWinControl* c) {
    c->SetFocus();
    app_->ProcessMessages();
  }
  void Type(const std::wstring& text) {
    for (wchar_t ch : text) PostMessageW(edit_->Handle(), WM_CHAR, ch, 1);
    app_->ProcessMessages();
  }
  // Runs `action` with a timer that handles the dialog as the plan says.
  void WithDialog(DialogPlan& plan, const std::function<void()>& action) {
    g_plan = &plan;
    SetTimer(form_->Handle(), 77, 100, DialogTimer);
    action();
    KillTimer(form_->Handle(), 77);
    app_->ProcessMessages();
  }
  void ClickButton() {
    const HWND b = edit_->Button().Handle();
    SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  static std::string TempFile(const std::string& name, const std::string& bytes) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::string path = tk::Narrow(dir) + name;
    std::ofstream(tk::Wide(path).c_str(), std::ios::binary) << bytes;
    return path;
  }

  skin::TsFilenameEdit* edit_ = nullptr;
};

TEST_F(EditsTest, TypingKeepsEveryCharacterAndTheEditStaysUnicode) {
  Focus(edit_);
  Type(L"a\u00e9\u0416\u4e2d");
  EXPECT_TRUE(IsWindowUnicode(edit_->Handle()));
  EXPECT_EQ(edit_->Text(), "a\xC3\xA9\xD0\x96\xE4\xB8\xAD");
  // Enter and a line feed are never typed into the one-line field.
  Type(L"\r\n");
  EXPECT_EQ(edit_->Text(), "a\xC3\xA9\xD0\x96\xE4\xB8\xAD");
}

TEST_F(EditsTest, TheFolderButtonPicksAFileAndRemembersItsFolder) {
  const std::string path = TempFile("sorvenal edit \xD0\x96.bin", "12345678");
  DialogPlan plan{tk::Wide(path)};
  WithDialog(plan, [&] { ClickButton(); });
  ASSERT_TRUE(plan.seen);
  EXPECT_EQ(edit_->Text(), path);
  EXPECT_EQ(edit_->Dialog().InitialDir, tk::ExtractFilePath(path));
  EXPECT_EQ(GetFocus(), edit_->Handle());
  // Again from the folder alone: the dialog opens there with no name; a
  // cancel changes nothing.
  edit_->SetText(tk::ExtractFilePath(path));
  DialogPlan cancel;
  WithDialog(cancel, [&] { ClickButton(); });
  ASSERT_TRUE(cancel.seen);
  EXPECT_EQ(edit_->Dialog().FileName, "");
  EXPECT_EQ(edit_->Text(), tk::ExtractFilePath(path));
  DeleteFileW(tk::Wide(path).c_str());
}

TEST_F(EditsTest, AltDownOpensTheDialogAndReadOnlyDoesNot) {
  Focus(edit_);
  const auto altDown = [] {
    INPUT in[4] = {};
    const WORD keys[4] = {VK_MENU, VK_DOWN, VK_DOWN, VK_MENU};
    for (int i = 0; i < 4; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wVk = keys[i];
      in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
  };
  DialogPlan plan;
  WithDialog(plan, [&] {
    altDown();
    for (int i = 0; i < 50 && !plan.seen; ++i) {
      app_->ProcessMessages();
      Sleep(20);
    }
  });
  EXPECT_TRUE(plan.seen);
  edit_->SetReadOnly(true);
  DialogPlan none;
  WithDialog(none, [&] { ClickButton(); });
  EXPECT_FALSE(none.seen);
  // Read-only takes typing and pasting away too.
  Type(L"x");
  EXPECT_EQ(edit_->Text(), "");
}

TEST_F(EditsTest, EnterInTheEditPressesTheDefaultButton) {
  int clicks = 0;
  form_->Button_CalculateCheckSum->OnClick = [&](tk::TComponent*) { ++clicks; };
  form_->Button_CalculateCheckSum->SetDefault(true);
  Focus(edit_);
  edit_->SetText("C:\\nothing");
  PostMessageW(edit_->Handle(), WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(edit_->Handle(), WM_CHAR, VK_RETURN, 1);
  PostMessageW(edit_->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
  app_->ProcessMessages();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit_->Text(), "C:\\nothing");
}

TEST_F(EditsTest, PastedAndSetTextStaysOneLine) {
  Focus(edit_);
  const std::wstring clip = L"C:\\Data\r\n\\a.bin\t";
  ASSERT_TRUE(OpenClipboard(edit_->Handle()));
  EmptyClipboard();
  const HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(mem), clip.c_str(), (clip.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);  // the clipboard owns it now
  CloseClipboard();
  SendMessageW(edit_->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit_->Text(), "C:\\Data\\a.bin");
  SetWindowTextW(edit_->Handle(), L"one\r\ntwo");
  EXPECT_EQ(edit_->Text(), "onetwo");
  EXPECT_EQ(GetWindowLongW(edit_->Handle(), GWL_STYLE) & (ES_MULTILINE | ES_AUTOHSCROLL), ES_AUTOHSCROLL);
}

TEST_F(EditsTest, LongPathsScrollInsteadOfWrapping) {
  // Text set from the program is not cut at MaxLength (typing is): the
  // path of 260 characters stays whole, on one line.
  const std::string longPath = "C:\\" + std::string(252, 'p') + "tail.bin";
  edit_->SetText(longPath);
  EXPECT_EQ(edit_->Text(), longPath);
  Focus(edit_);
  SendMessageW(edit_->Handle(), EM_SETSEL, 255, 255);
  SendMessageW(edit_->Handle(), EM_SCROLLCARET, 0, 0);
  // The caret's line is the first and only one; the text scrolled left.
  EXPECT_EQ(SendMessageW(edit_->Handle(), EM_GETLINECOUNT, 0, 0), 1);
  EXPECT_GT(SendMessageW(edit_->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  const std::string deep = "C:\\" + std::string(40000, 'd');
  edit_->SetMaxLength(0);
  edit_->SetFileName(deep);
  DialogPlan cancel;
  WithDialog(cancel, [&] { ClickButton(); });
  EXPECT_TRUE(cancel.seen);
  EXPECT_EQ(edit_->Text(), deep);
}

TEST_F(EditsTest, SizedToNothingAndBack) {
  const RECT before = edit_->BoundsRect();
  edit_->SetText("C:\\x.bin");
  for (SIZE s : {SIZE{0, 0}, SIZE{3, 3}, SIZE{1, 21}, SIZE{584, 1}}) {
    edit_->SetBounds(before.left, before.top, s.cx, s.cy);
    RedrawWindow(edit_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
    app_->ProcessMessages();
  }
  edit_->SetBounds(before.left, before.top, before.right - before.left, before.bottom - before.top);
  RedrawWindow(edit_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
  app_->ProcessMessages();
  EXPECT_EQ(edit_->SkinData.CacheBitmap.Width(), before.right - before.left);
  EXPECT_EQ(edit_->Button().Width(), 22);
}

TEST_F(EditsTest, FileNameRefusesInvalidNamesAndKeepsTheText) {
  edit_->SetFileName("C:\\kept.bin");
  for (const char* bad : {"a<b", "a>b", "a\"b", "a|b", "a*", "a?", "C:/x", "a\tb", "a\rb", "\x01"}) {
    SCOPED_TRACE(bad);
    try {
      edit_->SetFileName(bad);
      ADD_FAILURE() << "accepted";
    } catch (const tk::Exception& e) {
      EXPECT_STREQ(e.what(), "Invalid file name");
    }
    EXPECT_EQ(edit_->FileName(), "C:\\kept.bin");
  }
  edit_->SetFileName("");
  EXPECT_EQ(edit_->FileName(), "");
}

TEST_F(EditsTest, TheButtonIsTheFolderGlyphBesideTheText) {
  const RECT client = [&] {
    RECT r;
    GetClientRect(edit_->Handle(), &r);
    return r;
  }();
  EXPECT_EQ(edit_->Button().Width(), skin::kOpenFileFrameWidth + 2);
  EXPECT_EQ(edit_->Button().Left(), client.right - 22);
  EXPECT_EQ(HIWORD(SendMessageW(edit_->Handle(), EM_GETMARGINS, 0, 0)), 22);
  // Some pixel of the button shows the folder's yellow (red and green high, blue low).
  app_->ProcessMessages();
  const skin::TsBitmap24 shot = Shot(edit_->Button().Handle());
  bool yellow = false;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const skin::TColor c = shot.Pixel(x, y);
      yellow |= (c & 0xFF) > 200 && ((c >> 8) & 0xFF) > 150 && ((c >> 16) & 0xFF) < 140;
    }
  EXPECT_TRUE(yellow);
}

TEST_F(EditsTest, TheButtonShowsHotAndPressedFramesAndALostPressEndsWithoutAClick) {
  const HWND b = edit_->Button().Handle();
  const skin::TsBitmap24 normal = Shot(b);
  SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(edit_->Button().FrameIndex(), 1);
  EXPECT_TRUE(edit_->EditActive());
  UpdateWindow(b);
  const skin::TsBitmap24 hot = Shot(b);
  SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(edit_->Button().FrameIndex(), 2);
  UpdateWindow(b);
  const skin::TsBitmap24 pressed = Shot(b);
  EXPECT_FALSE(hot == normal);
  EXPECT_FALSE(pressed == hot);
  // The capture goes elsewhere (a message box, Alt+Tab): no press, no dialog.
  DialogPlan plan;
  WithDialog(plan, [&] {
    ReleaseCapture();
    SendMessageW(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  });
  EXPECT_FALSE(edit_->Button().Pressed());
  EXPECT_FALSE(plan.seen);
  SendMessageW(b, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(edit_->Button().FrameIndex(), 0);
}

// The text's dark pixels in the edit's client, as a set of positions.
std::vector<POINT> InkOf(const skin::TsBitmap24& shot, int right) {
  std::vector<POINT> ink;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < right; ++x) {
      const skin::TColor c = shot.Pixel(x, y);
      if ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 110) ink.push_back({x, y});
    }
  return ink;
}

TEST_F(EditsTest, UnfocusedTextSitsWhereTheFocusedEditDrawsIt) {
  edit_->SetText("C:\\Sorvenal\\check.bin");
  Focus(edit_);
  SendMessageW(edit_->Handle(), EM_SETSEL, 0, 0);
  HideCaret(edit_->Handle());
  RedrawWindow(edit_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  const int right = edit_->Button().Left();
  const std::vector<POINT> focused = InkOf(Shot(edit_->Handle()), right);
  Focus(form_->sButton1);
  RedrawWindow(edit_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  const std::vector<POINT> unfocused = InkOf(Shot(edit_->Handle()), right);
  ASSERT_GT(focused.size(), 20u);
  ASSERT_EQ(focused.size(), unfocused.size());
  for (size_t i = 0; i < focused.size(); ++i) {
    EXPECT_EQ(focused[i].x, unfocused[i].x);
    EXPECT_EQ(focused[i].y, unfocused[i].y);
  }
}

TEST_F(EditsTest, PasswordTextIsMaskedWhenInactive) {
  edit_->SetText("secret");
  edit_->SetPasswordChar(L'*');
  Focus(form_->sButton1);
  RedrawWindow(edit_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  const std::vector<POINT> masked = InkOf(Shot(edit_->Handle()), edit_->Button().Left());
  edit_->SetPasswordChar(0);
  RedrawWindow(edit_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
  const std::vector<POINT> clear = InkOf(Shot(edit_->Handle()), edit_->Button().Left());
  EXPECT_FALSE(masked.empty());
  EXPECT_NE(masked.size(), clear.size());
}

TEST_F(EditsTest, ScreenshotsInEverySkin) {
  edit_->SetText("C:\\Sorvenal\\check.bin");
  for (const char* skinName : {"GrayPlastic (internal)", "Neutral (internal)", "Office12Style (internal)"}) {
    SCOPED_TRACE(skinName);
    Switch(skinName);
    Focus(form_->sButton1);
    SetForegroundWindow(form_->Handle());
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    app_->ProcessMessages();
    RECT r;
    GetWindowRect(form_->Handle(), &r);
    skin::TsBitmap24 shot(r.right - r.left, r.bottom - r.top);
    {
      skin::TsDibCanvas canvas(shot);
      const base::WindowDc screen(nullptr);
      BitBlt(canvas.DC(), 0, 0, shot.Width(), shot.Height(), screen.get(), r.left, r.top, SRCCOPY);
    }
    // The edit's frame is the skin's, not the system's sunken edge: its
    // outer corner pixel matches the cache the skin painted.
    const skin::TsBitmap24& cache = edit_->SkinData.CacheBitmap;
    POINT p = {0, 0};
    MapWindowPoints(edit_->Handle(), nullptr, &p, 1);
    RECT er;
    GetWindowRect(edit_->Handle(), &er);
    EXPECT_EQ(shot.Pixel(er.left - r.left + 1, er.top - r.top + 1), cache.Pixel(1, 1));
    EXPECT_EQ(shot.Pixel(er.left - r.left + 1, er.bottom - r.top - 2), cache.Pixel(1, cache.Height() - 2));
    std::string name = std::string("edits_") + skinName;
    name = name.substr(0, name.find(' '));
    std::ofstream(name + ".bmp", std::ios::binary) << Bmp24(shot);
  }
}

}  // namespace
