// The main window in a real window under Wine: layout, resizing, tab order,
// the calculation flow driven through messages, and a screenshot.
#include "app/formmain.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "base/WinGdiObject.h"
#include "base/WinHandle.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "skin/sRegister.h"
#include "tests/app/SectionFace.h"
#include "toolkit/Seams.h"
#include "toolkit/StdClasses.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace {

// The bounds of a control relative to its parent's client area, read from
// the windows themselves (or from the control for graphic controls).
RECT Placed(tk::TControl* c) {
  if (auto* w = dynamic_cast<tk::TWinControl*>(c)) {
    RECT r;
    GetWindowRect(w->Handle(), &r);
    MapWindowPoints(nullptr, GetParent(w->Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  return c->BoundsRect();
}

std::string Rect(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
         std::to_string(r.bottom - r.top);
}

// Watches for a message box captioned `caption` from another thread, records
// its text and presses its OK button.
class BoxWatcher {
public:
  explicit BoxWatcher(const wchar_t* caption) : caption_(caption), thread_([this] { Run(); }) {}
  ~BoxWatcher() {
    stop_ = true;
    thread_.join();
  }
  std::string Text() const { return text_; }
  bool Seen() const { return seen_; }

private:
  void Run() {
    while (!stop_) {
      if (HWND box = FindWindowW(L"#32770", caption_)) {
        wchar_t buf[512] = {};
        GetDlgItemTextW(box, 0xFFFF, buf, 512);
        text_ = tk::Narrow(buf);
        seen_ = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        while (IsWindow(box) && !stop_) Sleep(10);
      }
      Sleep(10);
    }
  }
  const wchar_t* caption_;
  std::atomic<bool> stop_{false}, seen_{false};
  std::string text_;
  std::thread thread_;
};

std::string TempFile(const char* name, size_t length) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::string path = tk::Narrow(dir) + name;
  FILE* f = _wfopen(tk::Wide(path).c_str(), L"wb");
  for (size_t i = 0; i < length; ++i) fputc(static_cast<int>(i & 0xFF), f);
  fclose(f);
  return path;
}

class FormMainTest : public testing::Test {
protected:
  static void SetUpTestSuite() {
    tk::RegisterStandardClasses();
    skin::RegisterSkinClasses();
  }

  void SetUp() override {
    app_ = new tk::TApplication;
    app_->Title = "Sorvenal";
    app_->MainFormOnTaskBar = true;
    app_->CreateForm(form_);
    form_->Show();
    app_->ProcessMessages();
    tk::seams::applicationHandleException = &CaptureException;
    lastError_.clear();
  }

  void TearDown() override {
    tk::seams::applicationHandleException = nullptr;
    delete app_;
  }

  static bool CaptureException(const void*, const char*, std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const tk::Exception& e) {
      lastError_ = std::string(e.ClassName()) + ": " + e.Message();
    }
    return true;
  }

  void Click(tk::TWinControl* button) {
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    app_->ProcessMessages();
  }

  void SetClientSize(int w, int h) {
    form_->SetClientSize(w, h);
    app_->ProcessMessages();
  }

  std::string MemoText() { return form_->sMemo1->Text(); }

  tk::TApplication* app_ = nullptr;
  Tform_main* form_ = nullptr;
  static inline std::string lastError_;
};

TEST_F(FormMainTest, WindowAndControlsAtTheStoredSize) {
  wchar_t caption[64];
  GetWindowTextW(form_->Handle(), caption, 64);
  EXPECT_EQ(tk::Narrow(caption), "Brisquel - File Sorvenal");
  RECT client;
  GetClientRect(form_->Handle(), &client);
  EXPECT_EQ(client.right, 771);
  EXPECT_EQ(client.bottom, 399);

  const struct {
    tk::TControl* c;
    const char* rect;
  } cases[] = {
      {form_->sPanel1, "0,0,771,97"},
      {form_->Shape1, "19,7,200,80"},
      {form_->Image2, "29,12,175,67"},
      {form_->sBitBtn_Close, "674,7,85,80"},
      {form_->sPanel2, "0,97,771,112"},
      {form_->sFilenameEdit1, "19,40,584,21"},
      {form_->Button_CalculateCheckSum, "617,16,142,61"},
      {form_->sButton1, "617,80,142,26"},
      {form_->sMemo1, "0,209,771,190"},
  };
  for (const auto& c : cases) EXPECT_EQ(Rect(Placed(c.c)), c.rect) << c.c->Name();

  EXPECT_EQ(form_->sLabelFX1->Caption(), "[...]");
  EXPECT_EQ(form_->Label1->Caption(), "Check Sum:");
  EXPECT_EQ(form_->sStickyLabel1->Caption(), "Select a file name");
  EXPECT_EQ(form_->Image2->Picture.Bitmap().Width(), 175);
  EXPECT_EQ(form_->sBitBtn_Close->Glyph.Width(), 56);
  EXPECT_EQ(form_->sBitBtn_Close->Glyph.BottomLeftColor(), tk::clSilver);
  EXPECT_EQ(SendMessageW(form_->sFilenameEdit1->Handle(), EM_GETLIMITTEXT, 0, 0), 255);
  EXPECT_EQ(form_->sSkinManager1->SkinName(), "Office12Style (internal)");
  EXPECT_TRUE(GetWindowLongW(form_->sMemo1->Handle(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(FormMainTest, ResizingKeepsButtonsRightAndTheLogFilling) {
  SetClientSize(971, 499);
  const struct {
    tk::TControl* c;
    const char* rect;
  } cases[] = {
      {form_->sPanel1, "0,0,971,97"},
      {form_->sBitBtn_Close, "874,7,85,80"},
      {form_->sPanel2, "0,97,971,112"},
      {form_->sFilenameEdit1, "19,40,784,21"},
      {form_->Button_CalculateCheckSum, "817,16,142,61"},
      {form_->sButton1, "817,80,142,26"},
      {form_->sMemo1, "0,209,971,290"},
      {form_->Image2, "29,12,175,67"},
  };
  for (const auto& c : cases) EXPECT_EQ(Rect(Placed(c.c)), c.rect) << c.c->Name();
  SetClientSize(771, 399);
  EXPECT_EQ(Rect(Placed(form_->sBitBtn_Close)), "674,7,85,80");
  EXPECT_EQ(Rect(Placed(form_->sMemo1)), "0,209,771,190");
}

TEST_F(FormMainTest, TabOrderRunsThroughTheWindow) {
  const HWND expected[] = {form_->sBitBtn_Close->Handle(), form_->sFilenameEdit1->Handle(),
                           form_->Button_CalculateCheckSum->Handle(), form_->sButton1->Handle(),
                           form_->sMemo1->Handle()};
  HWND h = GetNextDlgTabItem(form_->Handle(), nullptr, FALSE);
  for (HWND want : expected) {
    EXPECT_EQ(h, want);
    h = GetNextDlgTabItem(form_->Handle(), h, FALSE);
  }
  EXPECT_EQ(h, expected[0]);
}

TEST_F(FormMainTest, CalculateLogsTheValueAndClearLogEmptiesTheLog) {
  const std::string four = TempFile("sorvenal_four.bin", 4);
  const std::string big = TempFile("sorvenal_big.bin", 4004);
  form_->sFilenameEdit1->SetText(four);
  Click(form_->Button_CalculateCheckSum);
  EXPECT_EQ(form_->sLabelFX1->Caption(), "0000");
  Click(form_->Button_CalculateCheckSum);
  EXPECT_EQ(MemoText(), "0000: " + four + "\r\n0000: " + four + "\r\n");
  EXPECT_EQ(form_->sMemo1->Lines.Count(), 2);

  form_->sFilenameEdit1->SetText(big);
  Click(form_->Button_CalculateCheckSum);
  // Words at offsets 2000..3996 of a file whose byte i is i mod 256.
  uint32_t sum = 0;
  for (uint32_t off = 2000; off < 4000; off += 4)
    for (int k = 0; k < 4; ++k) sum += static_cast<uint32_t>(((off + k) & 0xFF) << (8 * k));
  EXPECT_EQ(form_->sLabelFX1->Caption(), tk::IntToHex(sum, 4));
  EXPECT_EQ(form_->sMemo1->Lines[2], tk::IntToHex(sum, 4) + ": " + big);

  Click(form_->sButton1);
  EXPECT_EQ(MemoText(), "");
  EXPECT_EQ(form_->sLabelFX1->Caption(), tk::IntToHex(sum, 4));
  Click(form_->sButton1);  // on an empty log: nothing happens
  EXPECT_EQ(MemoText(), "");
  DeleteFileW(tk::Wide(four).c_str());
  DeleteFileW(tk::Wide(big).c_str());
}

TEST_F(FormMainTest, NoFileShowsTheInformationBoxAndChangesNothing) {
  const std::string four = TempFile("sorvenal_info.bin", 4);
  form_->sFilenameEdit1->SetText(four);
  Click(form_->Button_CalculateCheckSum);
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  for (const std::string& name : {std::string(), four + ".missing", tk::Narrow(dir)}) {
    form_->sFilenameEdit1->SetText(name);
    BoxWatcher watcher(L"Information");
    Click(form_->Button_CalculateCheckSum);
    EXPECT_TRUE(watcher.Seen()) << name;
    EXPECT_EQ(watcher.Text(), "File does not exist - Please select a file by clicking on the yellow folder");
    EXPECT_EQ(form_->sLabelFX1->Caption(), "0000");
    EXPECT_EQ(MemoText(), "0000: " + four + "\r\n");
  }
  DeleteFileW(tk::Wide(four).c_str());
}

TEST_F(FormMainTest, CalculationErrorsReachTheApplicationHandlerAndChangeNothing) {
  const std::string two = TempFile("sorvenal_two.bin", 2);
  form_->sFilenameEdit1->SetText(two);
  Click(form_->Button_CalculateCheckSum);
  EXPECT_EQ(lastError_, "ERangeError: Range check error");
  EXPECT_EQ(form_->sLabelFX1->Caption(), "[...]");
  EXPECT_EQ(MemoText(), "");

  base::FileHandle locked(CreateFileW(tk::Wide(two).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  Click(form_->Button_CalculateCheckSum);
  EXPECT_EQ(lastError_, "EInOutError: I/O error 32");
  locked.reset();
  EXPECT_EQ(MemoText(), "");
  DeleteFileW(tk::Wide(two).c_str());
}

TEST_F(FormMainTest, FolderButtonPutsTheChosenFileIntoTheEdit) {
  const std::string chosen = TempFile("sorvenal_chosen.bin", 12);
  std::atomic<bool> done{false}, seen{false};
  std::thread chooser([&] {
    for (int i = 0; i < 1000 && !done; ++i, Sleep(10)) {
      HWND dlg = FindWindowW(L"#32770", L"Open");
      if (!dlg) continue;
      seen = true;
      Sleep(100);  // let the dialog finish its set-up
      // The file name box of the explorer-style dialog (combo 0x47C or edit 0x480).
      SetDlgItemTextW(dlg, 0x47C, tk::Wide(chosen).c_str());
      SetDlgItemTextW(dlg, 0x480, tk::Wide(chosen).c_str());
      PostMessageW(dlg, WM_COMMAND, IDOK, 0);
      while (IsWindow(dlg) && !done) Sleep(10);
      return;
    }
  });
  SendMessageW(form_->sFilenameEdit1->Button().Handle(), BM_CLICK, 0, 0);
  done = true;
  chooser.join();
  EXPECT_TRUE(seen);
  EXPECT_EQ(form_->sFilenameEdit1->Text(), chosen);
  DeleteFileW(tk::Wide(chosen).c_str());
}

TEST_F(FormMainTest, CloseEndsTheApplication) {
  Click(form_->sBitBtn_Close);
  EXPECT_TRUE(app_->Terminated());
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
}

TEST_F(FormMainTest, ScreenshotShowsTheWindow) {
  RECT r;
  GetWindowRect(form_->Handle(), &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const base::WindowDc screen(nullptr);
  const base::MemoryDc mem(CreateCompatibleDC(screen.get()));
  const base::GdiObject<HBITMAP> bmp(CreateCompatibleBitmap(screen.get(), w, h));
  {
    const base::Selection selected(mem.get(), bmp.get());
    // What the screen shows: the window is on top of an otherwise empty display.
    SetForegroundWindow(form_->Handle());
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    app_->ProcessMessages();
    ASSERT_TRUE(BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY));
    // The logo's white backdrop, the edit's face, the face of a panel.
    POINT logoBack = {19 + 2, 7 + 2}, edit = {19 + 200, 97 + 40 + 10}, panel = {400, 97 + 100};
    for (POINT* p : {&logoBack, &edit, &panel}) ClientToScreen(form_->Handle(), p), p->x -= r.left, p->y -= r.top;
    EXPECT_EQ(GetPixel(mem.get(), logoBack.x, logoBack.y), RGB(255, 255, 255));
    // The skinned edit shows its section's face for its state, as its cache holds it.
    EXPECT_EQ(GetPixel(mem.get(), edit.x, edit.y), form_->sFilenameEdit1->SkinData.CacheBitmap.Pixel(200, 10));
    // The panel's face is its skin section's colour or gradient.
    tk::TWinControl* p2 = form_->sPanel2;
    EXPECT_EQ(GetPixel(mem.get(), panel.x, panel.y),
              SectionFace(*form_->sSkinManager1, "PANEL", false, p2->Width(), p2->Height(), 400, 100));
  }

  // Saved for people to look at (tests/app/formmain.bmp in the build tree).
  BITMAPINFOHEADER bi{sizeof(bi), w, h, 1, 24, BI_RGB};
  const int stride = ((w * 3 + 3) / 4) * 4;
  std::string pixels(static_cast<size_t>(stride) * h, '\0');
  GetDIBits(mem.get(), bmp.get(), 0, h, pixels.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof(fh) + sizeof(bi) + pixels.size()), 0, 0,
                      sizeof(fh) + sizeof(bi)};
  if (FILE* f = fopen("formmain.bmp", "wb")) {
    fwrite(&fh, sizeof(fh), 1, f);
    fwrite(&bi, sizeof(bi), 1, f);
    fwrite(pixels.data(), 1, pixels.size(), f);
    fclose(f);
  }
}

}  // namespace
