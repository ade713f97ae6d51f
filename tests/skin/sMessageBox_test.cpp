// The skin engine's message box on the screen: owned by the application's
// window, captioned by its kind, answering for the buttons it was asked for.
#include "skin/sMessageBox.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "toolkit/Forms.h"

namespace skin {
namespace {

HWND boxOwner = nullptr;
std::wstring boxCaption;

// Looks for the box while it runs its own loop, notes its owner and caption
// and presses its first button.
void CALLBACK PressFirstButton(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND box = FindWindowW(L"#32770", nullptr);
  if (!box) return;
  KillTimer(nullptr, timer);
  boxOwner = GetWindow(box, GW_OWNER);
  wchar_t text[64] = {};
  GetWindowTextW(box, text, 64);
  boxCaption = text;
  const HWND button = FindWindowExW(box, nullptr, L"Button", nullptr);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

TEST(MessageBox, ShowsOnTheApplicationWindowAndAnswersForTheButtonsAskedFor) {
  tk::TApplication app;
  const struct {
    TMsgKind kind;
    uint16_t buttons;
    const wchar_t* caption;
    int32_t answer;
  } cases[] = {
      {TMsgKind::Warning, mbOK, L"Warning", IDOK},
      {TMsgKind::Confirm, mbYes | mbNo, L"Confirm", IDYES},
      {TMsgKind::Error, mbCancel, L"Error", IDCANCEL},  // the one button answers as the Cancel asked for
  };
  for (const auto& c : cases) {
    boxOwner = nullptr;
    boxCaption.clear();
    SetTimer(nullptr, 0, 100, PressFirstButton);
    EXPECT_EQ(ShowMessageBox("Text of the box", c.kind, c.buttons), c.answer);
    EXPECT_EQ(boxOwner, app.Handle());
    EXPECT_EQ(boxCaption, c.caption);
  }
}

}  // namespace
}  // namespace skin
