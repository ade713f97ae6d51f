// Menus and the form's frame in real windows: the system menu built from the
// items, a pop-up chosen by keys while it shows, owner-drawn items measured
// and drawn by their handlers, a layout's menu found by name, and the form's
// border style, state, icon and menu bar.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "toolkit/Forms.h"
#include "toolkit/LayoutReader.h"
#include "toolkit/Menus.h"
#include "toolkit/StdClasses.h"
#include "toolkit/SysUtils.h"

namespace {

tk::TMenuItem* NewItem(tk::TComponent* owner, tk::TMenuItem& parent, const char* caption) {
  auto* item = new tk::TMenuItem(owner);
  item->Caption = caption;
  parent.Add(item);
  return item;
}

MENUITEMINFOW ItemInfo(HMENU menu, UINT position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info;
}

std::wstring ItemText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

TEST(Menus, SystemMenuFollowsTheItems) {
  tk::TPopupMenu menu(nullptr);
  tk::TMenuItem* close = NewItem(&menu, menu.Items(), "&Close");
  close->ShortCut = tk::scAlt | VK_F4;
  close->Default = true;
  NewItem(&menu, menu.Items(), "-");
  tk::TMenuItem* skins = NewItem(&menu, menu.Items(), "Available skins");
  tk::TMenuItem* first = NewItem(&menu, *skins, "Blue && Grey");
  first->RadioItem = true;
  first->Checked = true;
  tk::TMenuItem* second = NewItem(&menu, *skins, "Second");
  second->Break = tk::TMenuBreak::mbBarBreak;
  second->Enabled = false;
  NewItem(&menu, menu.Items(), "Hidden")->Visible = false;

  const HMENU handle = menu.Rebuild();
  ASSERT_EQ(GetMenuItemCount(handle), 3);
  EXPECT_EQ(ItemText(handle, 0), L"&Close\tAlt+F4");
  EXPECT_TRUE(ItemInfo(handle, 0).fState & MFS_DEFAULT);
  EXPECT_EQ(ItemInfo(handle, 0).wID, close->Command());
  EXPECT_TRUE(ItemInfo(handle, 1).fType & MFT_SEPARATOR);
  const HMENU sub = ItemInfo(handle, 2).hSubMenu;
  ASSERT_NE(sub, nullptr);
  const MENUITEMINFOW a = ItemInfo(sub, 0), b = ItemInfo(sub, 1);
  EXPECT_TRUE(a.fType & MFT_RADIOCHECK);
  EXPECT_TRUE(a.fState & MFS_CHECKED);
  EXPECT_TRUE(b.fType & MFT_MENUBARBREAK);
  EXPECT_TRUE(b.fState & MFS_DISABLED);
  EXPECT_NE(a.wID, b.wID);

  int clicks = 0;
  first->OnClick = [&](tk::TComponent*) { ++clicks; };
  second->OnClick = [&](tk::TComponent*) { ++clicks; };
  EXPECT_TRUE(menu.DispatchCommand(first->Command()));
  EXPECT_FALSE(menu.DispatchCommand(second->Command()));  // disabled
  EXPECT_EQ(clicks, 1);
}

TEST(Menus, ShortCutAndAccessKeyTexts) {
  const std::pair<tk::TShortCut, const char*> shortCuts[] = {
      {0, ""}, {tk::scCtrl | 'C', "Ctrl+C"}, {tk::scAlt | VK_F4, "Alt+F4"}, {tk::scShift | VK_DELETE, "Shift+Del"},
      {VK_F12, "F12"}, {tk::scCtrl | 0xE5, ""}};
  for (const auto& [keys, text] : shortCuts) EXPECT_EQ(tk::ShortCutToText(keys), text);
  const std::pair<const char*, wchar_t> captions[] = {
      {"E&xit", L'x'}, {"&&Both", 0}, {"A && &B", L'B'}, {"End&", 0}, {"", 0}};
  for (const auto& [caption, key] : captions) EXPECT_EQ(tk::AccessKey(caption), key) << caption;
}

// While a pop-up shows, its modal loop runs this thread's timers: the timer
// plays the user's keys into the menu window.
struct KeysForMenu {
  static inline std::vector<WPARAM> keys;
  static inline int drawnBeforeKeys = 0;
  static inline int draws = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow) return;
    KillTimer(nullptr, id);
    drawnBeforeKeys = draws;
    for (WPARAM key : keys) PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
  }
};

TEST(Menus, PopupRunsTheChosenItemAfterItCloses) {
  tk::TApplication application;
  tk::TPopupMenu menu(nullptr);
  std::string chosen;
  bool popupAnnounced = false;
  menu.OnPopup = [&](tk::TComponent*) { popupAnnounced = true; };
  for (const char* caption : {"One", "Two", "Three"})
    NewItem(&menu, menu.Items(), caption)->OnClick = [&chosen](tk::TComponent* s) {
      chosen = static_cast<tk::TMenuItem*>(s)->Caption;
    };
  KeysForMenu::keys = {VK_DOWN, VK_DOWN, VK_RETURN};
  SetTimer(nullptr, 0, 50, &KeysForMenu::Tick);
  menu.Popup(100, 100);
  EXPECT_TRUE(popupAnnounced);
  EXPECT_EQ(chosen, "Two");

  chosen.clear();
  KeysForMenu::keys = {VK_ESCAPE};
  SetTimer(nullptr, 0, 50, &KeysForMenu::Tick);
  menu.Popup(100, 100);
  EXPECT_EQ(chosen, "");
}

TEST(Menus, OwnerDrawnItemsAreMeasuredAndDrawnByTheirHandlers) {
  tk::TApplication application;
  tk::TPopupMenu menu(nullptr);
  menu.OwnerDraw = true;
  int measured = 0;
  std::string chosen;
  for (const char* caption : {"&Alpha", "&Beta"}) {
    tk::TMenuItem* item = NewItem(&menu, menu.Items(), caption);
    item->OnMeasureItem = [&measured](tk::TMenuItem*, HDC dc, int& w, int& h) {
      EXPECT_NE(dc, nullptr);
      ++measured;
      w = 120;
      h = 30;
    };
    item->OnDrawItem = [](tk::TMenuItem*, HDC dc, const RECT& r, UINT) {
      ++KeysForMenu::draws;
      EXPECT_EQ(r.bottom - r.top, 30);
      FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    };
    item->OnClick = [&chosen](tk::TComponent* s) { chosen = static_cast<tk::TMenuItem*>(s)->Caption; };
  }
  KeysForMenu::draws = 0;
  KeysForMenu::keys = {'B'};  // the access key: the system asks WM_MENUCHAR
  SetTimer(nullptr, 0, 100, &KeysForMenu::Tick);
  menu.Popup(50, 50);
  EXPECT_EQ(measured, 2);
  EXPECT_GE(KeysForMenu::drawnBeforeKeys, 2);
  EXPECT_EQ(chosen, "&Beta");
}

TEST(Menus, LayoutStoresMenuItemsInsideTheirMenu) {
  tk::RegisterStandardClasses();
  tk::TApplication application;
  auto* form = new tk::TForm(nullptr);
  tpf0::Object stored;
  stored.className = "TForm";
  stored.name = "form";
  tpf0::Value menuRef;
  menuRef.type = tpf0::ValueType::Ident;
  menuRef.text = "MainMenu1";
  stored.props.push_back({"Menu", menuRef});
  tpf0::Object menu{"TMainMenu", "MainMenu1"};
  tpf0::Object file{"TMenuItem", "File1"};
  tpf0::Value caption;
  caption.type = tpf0::ValueType::String;
  caption.text = "&File";
  file.props.push_back({"Caption", caption});
  tpf0::Object exit{"TMenuItem", "Exit1"};
  caption.text = "E&xit";
  exit.props.push_back({"Caption", caption});
  file.children.push_back(exit);
  menu.children.push_back(file);
  stored.children.push_back(menu);
  tk::ReadComponent(*form, stored);

  ASSERT_NE(form->Menu(), nullptr);
  ASSERT_EQ(form->Menu()->Items().Count(), 1u);
  ASSERT_EQ(form->Menu()->Items().Items(0)->Count(), 1u);
  tk::TMenuItem* exitItem = form->Menu()->Items().Items(0)->Items(0);
  EXPECT_EQ(exitItem->Caption, "E&xit");
  bool exited = false;
  exitItem->OnClick = [&](tk::TComponent*) { exited = true; };
  form->SetClientSize(300, 200);
  form->HandleNeeded();
  ASSERT_NE(GetMenu(form->Handle()), nullptr);
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.bottom, 200);  // the menu bar does not eat the client area
  SendMessageW(form->Handle(), WM_COMMAND, exitItem->Command(), 0);
  EXPECT_TRUE(exited);

  // A menu item alone on a form is a layout error, not a crash.
  tpf0::Object bad{"TForm", "bad"};
  bad.children.push_back(tpf0::Object{"TMenuItem", "Stray"});
  tk::TForm other(nullptr);
  EXPECT_THROW(tk::ReadComponent(other, bad), tk::EReadError);
  delete form;
}

TEST(FormFrame, BorderStyleIconsStateAndMenuOfALiveWindow) {
  tk::TApplication application;
  tk::TForm form(nullptr);
  form.SetClientSize(320, 240);
  form.Show();
  const HWND h = form.Handle();
  auto style = [h] { return static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE)); };
  auto exStyle = [h] { return static_cast<DWORD>(GetWindowLongW(h, GWL_EXSTYLE)); };
  EXPECT_TRUE(style() & WS_THICKFRAME);
  EXPECT_TRUE(style() & WS_MAXIMIZEBOX);

  struct Case {
    tk::TFormBorderStyle border;
    uint8_t icons;
    DWORD styleOn, styleOff, exOn;
  };
  const Case cases[] = {
      {tk::TFormBorderStyle::bsDialog, tk::biSystemMenu | tk::biMaximize, WS_CAPTION | WS_SYSMENU,
       WS_THICKFRAME | WS_MAXIMIZEBOX, WS_EX_DLGMODALFRAME},
      {tk::TFormBorderStyle::bsSingle, tk::biSystemMenu | tk::biMinimize, WS_CAPTION | WS_MINIMIZEBOX,
       WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
      {tk::TFormBorderStyle::bsSizeToolWin, tk::biSystemMenu, WS_THICKFRAME, WS_MINIMIZEBOX, WS_EX_TOOLWINDOW},
      {tk::TFormBorderStyle::bsSingle, 0, WS_CAPTION, WS_SYSMENU, 0},
      {tk::TFormBorderStyle::bsNone, tk::biSystemMenu, WS_POPUP, WS_CAPTION | WS_SYSMENU, 0},
  };
  for (const Case& c : cases) {
    form.SetBorderStyle(c.border);
    form.SetBorderIcons(c.icons);
    EXPECT_EQ(style() & c.styleOn, c.styleOn) << static_cast<int>(c.border);
    EXPECT_EQ(style() & c.styleOff, 0u) << static_cast<int>(c.border);
    EXPECT_EQ(exStyle() & c.exOn, c.exOn) << static_cast<int>(c.border);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(form.ClientWidth(), 320);
    EXPECT_EQ(form.ClientHeight(), 240);
  }

  form.SetBorderStyle(tk::TFormBorderStyle::bsSizeable);
  form.SetBorderIcons(tk::biSystemMenu | tk::biMinimize | tk::biMaximize);
  form.SetWindowState(tk::TWindowState::wsMaximized);
  EXPECT_EQ(form.WindowState(), tk::TWindowState::wsMaximized);
  form.SetWindowState(tk::TWindowState::wsMinimized);
  EXPECT_EQ(form.WindowState(), tk::TWindowState::wsMinimized);
  form.SetWindowState(tk::TWindowState::wsNormal);
  EXPECT_EQ(form.WindowState(), tk::TWindowState::wsNormal);

  form.SetIcon(LoadIconW(nullptr, IDI_WARNING));
  EXPECT_NE(reinterpret_cast<HICON>(SendMessageW(h, WM_GETICON, ICON_BIG, 0)), nullptr);

  {
    tk::TMainMenu bar(nullptr);
    NewItem(&bar, bar.Items(), "&File");
    form.SetMenu(&bar);
    EXPECT_NE(GetMenu(h), nullptr);
  }
  // The menu went away: the form forgot it.
  EXPECT_EQ(form.Menu(), nullptr);
  EXPECT_EQ(GetMenu(h), nullptr);
}

TEST(ApplicationWindow, HiddenAndItsHooksSeeProgramWideMessages) {
  tk::TApplication application;
  const HWND h = application.Handle();
  ASSERT_NE(h, nullptr);
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_TRUE(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  int themeChanges = 0;
  const auto id = application.HookMainWindow([&](const tk::TMessage& m, const tk::TMessageHandler& next) -> intptr_t {
    if (m.msg == WM_THEMECHANGED) {
      ++themeChanges;
      return 0;  // swallowed
    }
    return next(m);
  });
  SendMessageW(h, WM_THEMECHANGED, 0, 0);
  application.UnhookMainWindow(id);
  SendMessageW(h, WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(themeChanges, 1);
}

}  // namespace
