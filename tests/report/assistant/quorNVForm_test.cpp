// Assistant forms in real windows: the contact form's Continue waits for a
// valid address, Escape cancels, Enter moves on in one-line edits, the
// answers come back into the model, and an assistant numbers its forms.
#include "report/assistant/quorNVForm.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/WinGdiObject.h"
#include "base/WinSelection.h"
#include "base/WinWindowDc.h"
#include "report/assistant/quorEmailAddress.h"
#include "tests/report/ScreenBmp.h"

namespace quor {
namespace {

NVItem Item(NVItemKind kind, const char* name, const char* caption = "") {
  NVItem item;
  item.kind = kind;
  item.name = name;
  item.caption = caption;
  return item;
}

NVFormModel ContactForm() {
  NVFormModel f = EmptyNVForm();
  f.message = "Contact Information";
  f.items[0].caption = "Continue";
  f.items[1].enabled = false;
  f.items.push_back(Item(NVItemKind::Label, "Label1", "your name:"));
  NVItem name = Item(NVItemKind::Edit, "NameEdit");
  name.optional = true;
  f.items.push_back(name);
  f.items.push_back(Item(NVItemKind::Label, "Label2", "your email:"));
  NVItem email = Item(NVItemKind::Edit, "EmailEdit");
  email.colored = true;
  f.items.push_back(email);
  f.items.push_back(Item(NVItemKind::CheckBox, "MemCheck", "remember me"));
  return f;
}

// The contact form's check of the address, as its handler does it.
void CheckEmail(NVFormModel&, NVAction action, NVItem* item) {
  if (action == nvaChanged && item && item->name == "EmailEdit") item->valid = IsValidEmailAddress(item->text);
}

HWND WaitForForm() {
  for (int i = 0; i < 500; ++i) {
    if (HWND h = FindWindowW(kNVAssistantClass, nullptr); h && IsWindowVisible(h)) return h;
    Sleep(10);
  }
  return nullptr;
}

HWND ItemWindow(HWND form, int index) { return GetDlgItem(form, kNVFirstItemId + index); }

// Plays the user on another thread while the form's modal loop runs here.
int32_t RunWithUser(NVFormModel& form, const NVFormShow& show, const std::function<void(HWND)>& user) {
  std::thread player([&user] {
    if (HWND h = WaitForForm()) user(h);
  });
  const int32_t result = RunNVForm(form, show, nullptr);
  player.join();
  return result;
}

TEST(NVFormWindow, ContinueWaitsForAValidAddressAndTheAnswersComeBack) {
  NVFormModel form = ContactForm();
  bool disabledAtFirst = false, disabledWhenInvalid = false, enabledWhenValid = false;
  std::wstring caption;
  const int32_t result = RunWithUser(form, {"Send Assistant", 1, 3, CheckEmail}, [&](HWND h) {
    wchar_t text[64] = {};
    GetWindowTextW(ItemWindow(h, 0), text, 64);
    caption = text;
    disabledAtFirst = !IsWindowEnabled(ItemWindow(h, 0));
    SendMessageW(ItemWindow(h, 4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Jane Doe"));
    SendMessageW(ItemWindow(h, 6), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"jane@example"));
    disabledWhenInvalid = !IsWindowEnabled(ItemWindow(h, 0));
    SendMessageW(ItemWindow(h, 6), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"jane.doe@mail-server.example.com"));
    enabledWhenValid = IsWindowEnabled(ItemWindow(h, 0));
    SendMessageW(ItemWindow(h, 7), BM_CLICK, 0, 0);
    SaveScreenBmp(h, "nvform_contact.bmp");
    SendMessageW(ItemWindow(h, 0), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(caption, L"Continue");  // owner-drawn, the caption stays the window text
  EXPECT_TRUE(disabledAtFirst);
  EXPECT_TRUE(disabledWhenInvalid);
  EXPECT_TRUE(enabledWhenValid);
  EXPECT_EQ(result, nvmrContinue);
  EXPECT_EQ(form.Find("NameEdit")->text, "Jane Doe");
  EXPECT_EQ(form.Find("EmailEdit")->text, "jane.doe@mail-server.example.com");
  EXPECT_TRUE(form.Find("MemCheck")->checked);
}

// A window's client area as 0x00RRGGBB pixels, top row first: what the
// window paints into a memory DC (`printed`), or what the screen shows.
std::vector<uint32_t> ClientPixels(HWND window, bool printed) {
  RECT r;
  GetClientRect(window, &r);
  POINT origin = {0, 0};
  ClientToScreen(window, &origin);
  const base::WindowDc screen(nullptr);
  const base::MemoryDc mem(CreateCompatibleDC(screen.get()));
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const base::GdiObject<HBITMAP> bmp(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    const base::Selection s(mem.get(), bmp.get());
    if (printed)
      SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT);
    else
      BitBlt(mem.get(), 0, 0, r.right, r.bottom, screen.get(), origin.x, origin.y, SRCCOPY);
  }
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> pixels(p, p + r.right * r.bottom);
  for (uint32_t& px : pixels) px &= 0xFFFFFF;
  return pixels;
}

uint32_t Rgb(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

// Pixels of the 11 x 11 inside of the check box's 13-pixel box, which sits
// at the left, centred vertically.
size_t InsideCount(const std::vector<uint32_t>& pixels, const RECT& r, uint32_t colour) {
  const int top = (r.bottom - 13) / 2;
  size_t n = 0;
  for (int y = top + 1; y < top + 12; ++y)
    for (int x = 1; x < 12; ++x) n += pixels[static_cast<size_t>(y * r.right + x)] == colour;
  return n;
}

TEST(NVFormWindow, TheCheckBoxIsPaintedByTheFormAndStaysASystemCheckBox) {
  NVFormModel form = ContactForm();
  std::vector<uint32_t> unchecked, checked, shownChecked;
  LRESULT stateAfterClick = 0;
  LONG style = 0;
  std::wstring caption;
  RECT client = {};
  RunWithUser(form, {"Send Assistant", 1, 3, CheckEmail}, [&](HWND h) {
    const HWND box = ItemWindow(h, 7);
    GetClientRect(box, &client);
    wchar_t text[64] = {};
    GetWindowTextW(box, text, 64);
    caption = text;
    style = GetWindowLongW(box, GWL_STYLE);
    unchecked = ClientPixels(box, true);
    SendMessageW(box, BM_CLICK, 0, 0);
    stateAfterClick = SendMessageW(box, BM_GETCHECK, 0, 0);
    checked = ClientPixels(box, true);
    Sleep(200);
    shownChecked = ClientPixels(box, false);
    SaveScreenBmp(h, "nvform_checkbox.bmp");
    PostMessageW(h, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(caption, L"remember me");
  EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_EQ(stateAfterClick, BST_CHECKED);
  EXPECT_TRUE(form.Find("MemCheck")->checked);
  // Unchecked: an empty white box. Checked: the mark in the text colour.
  const uint32_t window = Rgb(GetSysColor(COLOR_WINDOW)), mark = Rgb(GetSysColor(COLOR_WINDOWTEXT));
  ASSERT_FALSE(unchecked.empty());
  EXPECT_EQ(InsideCount(unchecked, client, window), 11u * 11u);
  EXPECT_EQ(InsideCount(checked, client, mark), 21u);  // seven columns of three
  EXPECT_EQ(checked[static_cast<size_t>((client.bottom - 13) / 2 * client.right)], Rgb(GetSysColor(COLOR_BTNSHADOW)));
  // The screen shows exactly our picture: the system's own check box
  // never stays drawn over it.
  EXPECT_EQ(shownChecked, checked);
}

// The screen's pixel at a window's top-left corner.
uint32_t ScreenCorner(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const base::WindowDc screen(nullptr);
  return Rgb(GetPixel(screen.get(), r.left, r.top));
}

TEST(NVFormWindow, AnEditsFrameIsButtonShadowWhileItHasTheFocus) {
  NVFormModel form = ContactForm();
  uint32_t nameFocused = 0, emailUnfocused = 0, nameUnfocused = 0, emailFocused = 0;
  RunWithUser(form, {"Send Assistant", 1, 3, CheckEmail}, [&](HWND h) {
    const HWND name = ItemWindow(h, 4), email = ItemWindow(h, 6);
    // A click gives an edit the focus in its own thread, whichever window
    // is in the foreground.
    const auto click = [](HWND edit) {
      SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      SendMessageW(edit, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
      Sleep(200);
    };
    click(name);
    nameFocused = ScreenCorner(name), emailUnfocused = ScreenCorner(email);
    click(email);
    nameUnfocused = ScreenCorner(name), emailFocused = ScreenCorner(email);
    PostMessageW(h, WM_CLOSE, 0, 0);
  });
  const uint32_t shadow = Rgb(GetSysColor(COLOR_BTNSHADOW)), frame = Rgb(GetSysColor(COLOR_WINDOWFRAME));
  EXPECT_EQ(nameFocused, shadow);
  EXPECT_EQ(emailUnfocused, frame);
  EXPECT_EQ(nameUnfocused, frame);
  EXPECT_EQ(emailFocused, shadow);
}

TEST(NVFormWindow, EscapeCancelsOnlyWhenCancelIsEnabled) {
  NVFormModel form = ContactForm();
  form.items[2].enabled = false;
  bool stillOpen = false;
  const int32_t result = RunWithUser(form, {"Send Assistant", 1, 1, CheckEmail}, [&](HWND h) {
    PostMessageW(ItemWindow(h, 4), WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(200);
    stillOpen = IsWindow(h);
    PostMessageW(h, WM_CLOSE, 0, 0);  // the title bar's close button
  });
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(result, nvmrCancel);
  form = ContactForm();
  EXPECT_EQ(RunWithUser(form, {"Send Assistant", 1, 1, CheckEmail},
                        [](HWND h) { PostMessageW(ItemWindow(h, 4), WM_KEYDOWN, VK_ESCAPE, 0); }),
            nvmrCancel);
}

TEST(NVFormWindow, EnterInAOneLineEditMovesOnAndTheHandlerSeesEveryAction) {
  NVFormModel form = ContactForm();
  std::vector<int32_t> actions;
  HWND focusAfterEnter = nullptr, emailWindow = nullptr;
  const NVActionHandler record = [&](NVFormModel& f, NVAction a, NVItem* item) {
    actions.push_back(a);
    CheckEmail(f, a, item);
  };
  RunWithUser(form, {"Send Assistant", 2, 2, record}, [&](HWND h) {
    emailWindow = ItemWindow(h, 6);
    // The focus starts on the first enabled item after Cancel: the name.
    const DWORD formThread = GetWindowThreadProcessId(h, nullptr);
    AttachThreadInput(GetCurrentThreadId(), formThread, TRUE);
    PostMessageW(ItemWindow(h, 4), WM_KEYDOWN, VK_RETURN, 0);
    Sleep(200);
    focusAfterEnter = GetFocus();
    AttachThreadInput(GetCurrentThreadId(), formThread, FALSE);
    SendMessageW(ItemWindow(h, 2), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(focusAfterEnter, emailWindow);
  ASSERT_GE(actions.size(), 2u);
  EXPECT_EQ(actions.front(), nvaShowing);
  EXPECT_EQ(actions.back(), nvaClosed);
  EXPECT_EQ(form.modalResult, nvmrCancel);
}

TEST(NVFormWindow, AssistantRunsItsFormsInTurnAndGivesTheOwnerItsStateBack) {
  std::vector<NVFormModel> forms = {EmptyNVForm(), EmptyNVForm()};
  forms[0].message = "First";
  forms[1].message = "Second";
  const HWND owner =
      CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EnableWindow(owner, FALSE);  // disabled before: stays so
  int seen = 0;
  std::thread player([&] {
    for (int n = 0; n < 2; ++n) {
      HWND h = WaitForForm();
      if (!h) return;
      ++seen;
      SendMessageW(ItemWindow(h, 1), BM_CLICK, 0, 0);  // Skip goes on as well
      while (IsWindow(h)) Sleep(10);
    }
  });
  const int32_t result = RunNVAssistant(forms, "Save Assistant", nullptr, owner);
  player.join();
  EXPECT_EQ(result, nvmrContinue);
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(forms[1].modalResult, nvmrSkip);
  EXPECT_FALSE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

}  // namespace
}  // namespace quor
