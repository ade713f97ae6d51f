// Skinned menus in real windows under Wine: the main window's system menu
// and pop-ups of the program, opened and driven while their own loop runs
// (a timer posts keys and clicks to the menu window), their pictures on the
// screen against what the painters compute.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "skin/sSkinManager.h"
#include "skin/sSkinMenus.h"
#include "skin/sMessageBox.h"
#include "skin/sSkinProvider.h"
#include "tests/app/DialogDriver.h"
#include "tests/app/MainFormFixture.h"
#include "tests/app/ScreenPicture.h"

namespace {

using skin::TsBitmap24;
using skin::TColor;

// ---------------------------------------------------------------- driving

// Steps run one per timer tick while a menu window shows; once they are
// done (or no menu shows for long) the menu is ended, so that a test never
// hangs in the menu's loop.
struct MenuScript {
  std::vector<std::function<void(HWND menuWindow)>> Steps;
  size_t Next = 0;
  int Idle = 0;
  bool Seen = false;
};
MenuScript* script = nullptr;
constexpr int kIdleTicks = 30;
constexpr UINT kTickMs = 60;

HWND ShownMenuWindow() {
  const HWND m = FindWindowW(L"#32768", nullptr);
  return m && IsWindowVisible(m) ? m : nullptr;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  const HWND m = ShownMenuWindow();
  if (m) script->Seen = true;
  if (m && script->Next < script->Steps.size()) {
    script->Steps[script->Next++](m);
    return;
  }
  if (++script->Idle > kIdleTicks) EndMenu();
}

// Opens a menu with `open` and runs the script inside its loop.
void RunMenu(MenuScript& s, const std::function<void()>& open) {
  script = &s;
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
  open();
  KillTimer(nullptr, timer);
  script = nullptr;
}

auto Key(WPARAM vk) {
  return [vk](HWND m) { PostMessageW(m, WM_KEYDOWN, vk, 0); };
}
auto Char(wchar_t c) {
  return [c](HWND m) { PostMessageW(m, WM_CHAR, c, 0); };
}
auto Wait() {
  return [](HWND) {};
}

// ---------------------------------------------------------------- fixture

class SkinMenusTest : public testing::Test, protected MainFormFixture {
protected:
  static void SetUpTestSuite() { RegisterClasses(); }
  void SetUp() override { ShowForm(); }
  void TearDown() override { delete app_; }

  skin::TsSkinableMenus& Painter() { return form_->sSkinManager1->SkinableMenus(); }

  // An item of the form, added to `parent` when one is given.
  tk::TMenuItem* NewItem(const std::string& caption, tk::TMenuItem* parent = nullptr) {
    auto* item = new tk::TMenuItem(form_);
    item->Caption = caption;
    if (parent) parent->Add(item);
    return item;
  }

  void OpenSystemMenu() { SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' '); }

  // A pop-up of the form with every kind of item; clicks are noted.
  tk::TPopupMenu* MakePopup() {
    auto* popup = new tk::TPopupMenu(form_);
    const struct {
      const char* caption;
      bool checked, radio, enabled, isDefault;
    } items[] = {
        {"&Check", true, false, true, false},  {"&Radio", true, true, true, false},
        {"&Disabled", false, false, false, false}, {"De&fault", false, false, true, true},
        {"-", false, false, true, false},      {"E&xit", false, false, true, false},
    };
    for (const auto& i : items) {
      tk::TMenuItem* item = NewItem(i.caption, &popup->Items());
      item->Checked = i.checked;
      item->RadioItem = i.radio;
      item->Enabled = i.enabled;
      item->Default = i.isDefault;
      item->OnClick = [this, caption = i.caption](tk::TComponent*) { clicked_ = caption; };
    }
    // Made after the skin: set owner-drawn on its own.
    Painter().SetMenuOwnerDraw(popup, true);
    return popup;
  }

  POINT PopupPlace() const {
    RECT r;
    GetWindowRect(form_->Handle(), &r);
    return {r.left + 60, r.top + 80};
  }

  // The item's rectangle in its menu window's coordinates.
  static RECT ItemRect(HWND window, HMENU menu, UINT position) {
    RECT item{}, w{};
    GetMenuItemRect(nullptr, menu, position, &item);
    GetWindowRect(window, &w);
    OffsetRect(&item, -w.left, -w.top);
    return item;
  }

  // Pixels of the screen's picture of a menu window that differ from what
  // the painters give: the left and right border strips (clear of the
  // corners) from the pop-up's background, and the glyph column of item
  // `position` (hot or not) from the "MENUITEM" section over it, right of
  // the extra line when one shows.
  int Mismatches(HWND window, const TsBitmap24& shot, UINT position, bool hot, int32_t extraLine = 0) {
    const skin::TsSkinManager& sm = *form_->sSkinManager1;
    const TsBitmap24& bg = Painter().PopupBackground();
    EXPECT_EQ(bg.Width(), shot.Width());
    EXPECT_EQ(bg.Height(), shot.Height());
    if (bg.Width() != shot.Width() || bg.Height() != shot.Height()) return -1;
    int bad = 0;
    const int32_t border = skin::kMenuBorderWidth, corner = 8;
    for (int32_t y = corner; y < shot.Height() - corner; ++y)
      for (int32_t x : {0, border - 1, shot.Width() - border, shot.Width() - 1}) bad += shot.Pixel(x, y) != bg.Pixel(x, y);
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    RECT r = ItemRect(window, menu, position);
    for (int32_t y = r.top; y < r.bottom; ++y)
      for (int32_t x = r.left; x < r.left + extraLine; ++x) bad += shot.Pixel(x, y) != bg.Pixel(x, y);
    r.left += extraLine;
    const int32_t w = r.right - r.left, h = r.bottom - r.top;
    TsBitmap24 expected(w, h);
    const skin::TCacheInfo info{&bg, 0, 0, true};
    skin::FillFromBackground(expected, {0, 0, w, h}, info.Shifted(r.left, r.top));
    const int32_t section = sm.GetSkinIndex("MENUITEM");
    if (section >= 0)
      skin::PaintSkinSection(expected, sm.Skin(), section, info, -1, -1, {r.left, r.top}, {0, 0, w, h}, hot ? 1 : 0,
                             true);
    const int32_t glyphColumn = Painter().Margin + skin::kMenuGlyphSize;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < glyphColumn; ++x) bad += shot.Pixel(r.left + x, r.top + y) != expected.Pixel(x, y);
    return bad;
  }

  std::string clicked_;
};

const char* const kSkinNames[] = {"GrayPlastic (internal)", "Neutral (internal)", "Office12Style (internal)"};
std::string Stem(const char* skinName) {
  std::string s = std::string(skinName).substr(0, std::string(skinName).find(' '));
  for (char& c : s) c = static_cast<char>(tolower(c));
  return s;
}

// ---------------------------------------------------------------- tests

TEST_F(SkinMenusTest, PainterFollowsTheSkin) {
  EXPECT_TRUE(Painter().Active());
  form_->sSkinManager1->SetActive(false);
  EXPECT_FALSE(Painter().Active());
  form_->sSkinManager1->SetActive(true);
  app_->ProcessMessages();
  EXPECT_TRUE(Painter().Active());
}

// The system menu opened with Alt+Space in each skin: its first item hot,
// its border and items as the painters draw them; kept as screenshots.
TEST_F(SkinMenusTest, SystemMenuIsSkinnedInEachSkin) {
  for (const char* name : kSkinNames) {
    Switch(name);
    TsBitmap24 shot;
    int bad = -1;
    MenuScript s;
    s.Steps = {Wait(), Key(VK_DOWN), Wait(), [&](HWND m) {
                 shot = ScreenPicture(m);
                 // Item 3 is "Move" (2 is the disabled "Restore").
                 bad = Mismatches(m, shot, 0, true) + Mismatches(m, shot, 3, false);
                 SaveBmp(ScreenPicture(GetDesktopWindow()), ("menu_system_" + Stem(name) + ".bmp").c_str());
               },
               Key(VK_ESCAPE), Key(VK_ESCAPE)};
    RunMenu(s, [&] { OpenSystemMenu(); });
    EXPECT_TRUE(s.Seen) << name;
    EXPECT_EQ(bad, 0) << name;
  }
}

// The system menu of a skinned dialog (the "Information" box of the
// calculation flow) opened with Alt+Space in each skin: painted by the menu
// painter as the form's is, "Move" hot (the first Down selects the
// disabled "Restore"), "Close" at rest; kept as screenshots.
TEST_F(SkinMenusTest, DialogSystemMenuIsSkinnedInEachSkin) {
  for (const char* name : kSkinNames) {
    Switch(name);
    int bad = -1;
    bool ownerDrawn = false;
    MenuScript s;
    s.Steps = {Wait(), Key(VK_DOWN), Key(VK_DOWN), Wait(), [&](HWND m) {
                 const TsBitmap24 shot = ScreenPicture(m);
                 const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(m, MN_GETHMENU, 0, 0));
                 const int count = GetMenuItemCount(menu);
                 MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
                 GetMenuItemInfoW(menu, 0, TRUE, &info);
                 ownerDrawn = (info.fType & MFT_OWNERDRAW) != 0;
                 // Item 0 is the disabled "Restore", 1 "Move", the last "Close".
                 bad = Mismatches(m, shot, 1, true) + Mismatches(m, shot, static_cast<UINT>(count - 1), false);
                 SaveBmp(ScreenPicture(GetDesktopWindow()), ("menu_dialog_system_" + Stem(name) + ".bmp").c_str());
               },
               Key(VK_ESCAPE)};
    EXPECT_TRUE(DialogDriver::Run(
        [&](HWND box) {
          // The cursor off the menu: the item under it would be hot.
          SetCursorPos(0, 0);
          RunMenu(s, [&] { SendMessageW(box, WM_SYSCOMMAND, SC_KEYMENU, ' '); });
          PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
        [&] { skin::ShowMessageBox("Text", skin::TMsgKind::Information, skin::mbOK); }));
    EXPECT_TRUE(s.Seen) << name;
    EXPECT_TRUE(ownerDrawn) << name;
    EXPECT_EQ(bad, 0) << name;
  }
}

// Arrows and Enter work through the skinned items: the skin list's first
// skin is chosen.
TEST_F(SkinMenusTest, SystemMenuItemsWorkByKeyboard) {
  MenuScript s;
  s.Steps = {Wait(), Key(VK_DOWN), Key(VK_RIGHT), Wait(), Key(VK_RETURN)};
  RunMenu(s, [&] { OpenSystemMenu(); });
  app_->ProcessMessages();
  ASSERT_TRUE(s.Seen);
  std::vector<std::string> names;
  form_->sSkinManager1->GetSkinNames(names);
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(form_->sSkinManager1->SkinName(), names[0]);
}

// A pop-up with check, radio, disabled, default and separator items, driven
// by keys, mnemonics and the mouse.
TEST_F(SkinMenusTest, PopupItemsWorkByKeysMnemonicsAndMouse) {
  tk::TPopupMenu* popup = MakePopup();
  const auto click = [](UINT position) {
    return [position](HWND m) {
      const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(m, MN_GETHMENU, 0, 0));
      RECT r{};
      GetMenuItemRect(nullptr, menu, position, &r);
      // A real click: the menu's loop reads the mouse as the system gives it.
      SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      INPUT in[2] = {};
      in[0].type = in[1].type = INPUT_MOUSE;
      in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      SendInput(2, in, sizeof(INPUT));
    };
  };
  const struct {
    const char* how;
    std::vector<std::function<void(HWND)>> steps;
    const char* clicked;
  } cases[] = {
      {"Down, Enter", {Key(VK_DOWN), Key(VK_RETURN)}, "&Check"},
      {"Down twice, Enter", {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)}, "&Radio"},
      {"Esc", {Key(VK_ESCAPE)}, ""},
      {"mnemonic x", {Char(L'x')}, "E&xit"},
      {"mnemonic F, upper case", {Char(L'F')}, "De&fault"},
      {"mnemonic of a disabled item, then Esc", {Char(L'd'), Wait(), Key(VK_ESCAPE)}, ""},
      {"click on the default item", {Wait(), click(3)}, "De&fault"},
  };
  const POINT at = PopupPlace();
  for (const auto& c : cases) {
    clicked_.clear();
    MenuScript s;
    s.Steps = c.steps;
    RunMenu(s, [&] { popup->Popup(at.x, at.y); });
    EXPECT_TRUE(s.Seen) << c.how;
    EXPECT_EQ(clicked_, c.clicked) << c.how;
  }
}

// The pop-up in each skin, its second item hot; kept as screenshots.
TEST_F(SkinMenusTest, PopupIsSkinnedInEachSkin) {
  tk::TPopupMenu* popup = MakePopup();
  const POINT at = PopupPlace();
  for (const char* name : kSkinNames) {
    Switch(name);
    Painter().SetMenuOwnerDraw(popup, true);
    int bad = -1;
    MenuScript s;
    s.Steps = {Wait(), Key(VK_DOWN), Key(VK_DOWN), Wait(), [&](HWND m) {
                 const TsBitmap24 shot = ScreenPicture(m);
                 bad = Mismatches(m, shot, 5, false);
                 SaveBmp(ScreenPicture(GetDesktopWindow()), ("menu_popup_" + Stem(name) + ".bmp").c_str());
               },
               Key(VK_ESCAPE)};
    RunMenu(s, [&] { popup->Popup(at.x, at.y); });
    EXPECT_TRUE(s.Seen) << name;
    EXPECT_EQ(bad, 0) << name;
  }
}

// Hundreds of items in columns of 20 open, paint and close without harm.
TEST_F(SkinMenusTest, MenuWithHundredsOfItemsInColumns) {
  auto* popup = new tk::TPopupMenu(form_);
  constexpr int kItems = 400, kPerColumn = 20;
  for (int i = 0; i < kItems; ++i) {
    tk::TMenuItem* item = NewItem(i % 7 == 6 ? "-" : "Item " + std::to_string(i), &popup->Items());
    if (i > 0 && i % kPerColumn == 0) item->Break = tk::TMenuBreak::mbBreak;
  }
  Painter().SetMenuOwnerDraw(popup, true);
  MenuScript s;
  bool painted = false;
  s.Steps = {Wait(), Key(VK_DOWN), Key(VK_RIGHT), Wait(), [&](HWND) {
               painted = !Painter().PopupBackground().Empty();
               SaveBmp(ScreenPicture(GetDesktopWindow()), "menu_columns.bmp");
             },
             Key(VK_ESCAPE)};
  const POINT at{0, 0};
  RunMenu(s, [&] { popup->Popup(at.x, at.y); });
  EXPECT_TRUE(s.Seen);
  EXPECT_TRUE(painted);
}

// Items that draw themselves keep their handlers when the painter comes
// and goes; the others get the painter's handlers and lose them again.
TEST_F(SkinMenusTest, OwnHandlersSurviveThePainter) {
  auto* popup = new tk::TPopupMenu(form_);
  tk::TMenuItem* own = NewItem("Own", &popup->Items());
  tk::TMenuItem* plain = NewItem("Plain", &popup->Items());
  int drawn = 0, measured = 0;
  own->OnDrawItem = [&](tk::TMenuItem*, HDC, const RECT&, UINT) { ++drawn; };
  own->OnMeasureItem = [&](tk::TMenuItem*, HDC, int&, int&) { ++measured; };
  skin::TsSkinableMenus& painter = Painter();
  for (bool on : {true, false, true, false}) {
    painter.SetActive(!on);
    painter.SetActive(on);
    int w = 0, h = 0;
    own->OnMeasureItem(own, nullptr, w, h);
    own->OnDrawItem(own, nullptr, RECT{}, 0);
    EXPECT_EQ(static_cast<bool>(plain->OnDrawItem), on);
    EXPECT_EQ(static_cast<bool>(plain->OnMeasureItem), on);
    // The menu stays owner-drawn for the item that draws itself.
    EXPECT_TRUE(popup->OwnerDraw);
  }
  EXPECT_EQ(drawn, 4);
  EXPECT_EQ(measured, 4);
}

// A menu window finished again and again (every item's painting finishes
// it, and so may the application window's message) is subclassed once:
// its messages are answered without the subclass calling itself.
TEST_F(SkinMenusTest, MenuWindowFinishedOftenIsSubclassedOnce) {
  tk::TPopupMenu* popup = MakePopup();
  const POINT at = PopupPlace();
  LRESULT erased = 0;
  MenuScript s;
  s.Steps = {Wait(), [&](HWND m) {
               for (int i = 0; i < 3; ++i)
                 SendMessageW(app_->Handle(), skin::kFinishMenuWindowMessage, 0, reinterpret_cast<LPARAM>(m));
               const base::WindowDc dc(m);
               erased = SendMessageW(m, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
             },
             Key(VK_DOWN), Wait(), Key(VK_ESCAPE)};
  RunMenu(s, [&] { popup->Popup(at.x, at.y); });
  EXPECT_TRUE(s.Seen);
  EXPECT_EQ(erased, 1);
}

// Messages that name a menu and command no longer there, or a window that
// is no menu, do nothing.
TEST_F(SkinMenusTest, FinishMessagesCheckWhatTheyName) {
  tk::TPopupMenu* popup = MakePopup();
  const POINT at = PopupPlace();
  MenuScript s;
  s.Steps = {Wait(), Key(VK_ESCAPE)};
  RunMenu(s, [&] { popup->Popup(at.x, at.y); });
  const HMENU gone = popup->Handle();
  popup->Rebuild();  // the old menu handle is destroyed
  const HWND app = app_->Handle();
  EXPECT_EQ(SendMessageW(app, skin::kFinishMenuItemMessage, 0xFFFF, reinterpret_cast<LPARAM>(gone)), 0);
  EXPECT_EQ(SendMessageW(app, skin::kFinishMenuItemMessage, 0, reinterpret_cast<LPARAM>(popup->Handle())), 0);
  EXPECT_EQ(SendMessageW(app, skin::kFinishMenuWindowMessage, 0, reinterpret_cast<LPARAM>(form_->Handle())), 0);
  EXPECT_EQ(SendMessageW(app, skin::kFinishMenuWindowMessage, 0, 12345), 0);
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
}

}  // namespace

namespace {

// Sizes by the painter's rules: the extra line widens items of a pop-up's
// first column, never those after a column break, and never the system
// menu's, whose skin list comes first.
TEST_F(SkinMenusTest, ExtraLineWidensFirstColumnItemsExceptInTheSystemMenu) {
  skin::TsSkinManager& sm = *form_->sSkinManager1;
  sm.MenuSupport.UseExtraLine = true;
  sm.MenuSupport.ExtraLineWidth = 24;
  tk::TPopupMenu* popup = MakePopup();
  popup->Items().Items(5)->Break = tk::TMenuBreak::mbBreak;
  skin::TsSystemMenu& system = form_->sSkinProvider1->SystemMenu();
  system.Refresh(&sm);
  Painter().SetMenuOwnerDraw(&system, true);
  const auto width = [&](tk::TMenuItem* item) {
    int w = 0, h = 0;
    item->OnMeasureItem(item, nullptr, w, h);
    return w;
  };
  const int withLine = width(popup->Items().Items(0));
  const int afterBreak = width(popup->Items().Items(5));
  const int systemItem = width(system.Item("ItemMove"));
  sm.MenuSupport.UseExtraLine = false;
  Painter().SkinChanged();
  EXPECT_EQ(withLine - width(popup->Items().Items(0)), 24);
  EXPECT_EQ(afterBreak, width(popup->Items().Items(5)));
  EXPECT_EQ(systemItem, width(system.Item("ItemMove")));
}

// The extra line's strip in a pop-up's picture, written with its caption;
// kept as a screenshot.
TEST_F(SkinMenusTest, ExtraLineShowsInThePopup) {
  form_->sSkinManager1->MenuSupport.UseExtraLine = true;
  tk::TPopupMenu* popup = MakePopup();
  const POINT at = PopupPlace();
  int bad = -1;
  MenuScript s;
  s.Steps = {Wait(), Wait(), [&](HWND m) {
               const TsBitmap24 shot = ScreenPicture(m);
               bad = Mismatches(m, shot, 5, false, form_->sSkinManager1->MenuSupport.ExtraLineWidth);
               SaveBmp(ScreenPicture(GetDesktopWindow()), "menu_extraline.bmp");
             },
             Key(VK_ESCAPE)};
  RunMenu(s, [&] { popup->Popup(at.x, at.y); });
  EXPECT_TRUE(s.Seen);
  EXPECT_EQ(bad, 0);
}

// Access keys are underlined unless the system asks to hide them.
TEST_F(SkinMenusTest, UnderlinesHideOnlyWhenTheDrawStateAsks) {
  tk::TPopupMenu* popup = MakePopup();
  tk::TMenuItem* withKey = popup->Items().Items(5);  // "E&xit"
  tk::TMenuItem* withoutKey = NewItem("Plain", &popup->Items());
  Painter().SetMenuOwnerDraw(popup, true);
  const POINT at = PopupPlace();
  const auto draw = [&](tk::TMenuItem* item, UINT state) {
    TsBitmap24 picture(120, 22);
    {
      skin::TsDibCanvas canvas(picture);
      item->OnDrawItem(item, canvas.DC(), RECT{0, 0, 120, 22}, state);
    }
    return picture;
  };
  bool differs = false, plainSame = false;
  MenuScript s;
  s.Steps = {Wait(), [&](HWND) {
               differs = !(draw(withKey, 0) == draw(withKey, ODS_NOACCEL));
               plainSame = draw(withoutKey, 0) == draw(withoutKey, ODS_NOACCEL);
             },
             Key(VK_ESCAPE)};
  RunMenu(s, [&] { popup->Popup(at.x, at.y); });
  EXPECT_TRUE(s.Seen);
  EXPECT_TRUE(differs);
  EXPECT_TRUE(plainSame);
}

}  // namespace

namespace {

// A main menu's bar items get the bar handlers, their sub-items the pop-up
// ones: a bar item is the menu bar's height less one, never narrower than
// the system proposes, and shows the hot look when selected.
TEST_F(SkinMenusTest, BarItemsOfAMainMenu) {
  auto* menu = new tk::TMainMenu(form_);
  tk::TMenuItem* file = NewItem("&File", &menu->Items());
  tk::TMenuItem* open = NewItem("&Open", file);
  Painter().SetMenuOwnerDraw(menu, true);
  EXPECT_TRUE(menu->OwnerDraw);
  int w = 0, h = 0;
  file->OnMeasureItem(file, nullptr, w, h);
  EXPECT_EQ(h, GetSystemMetrics(SM_CYMENU) - 1);
  EXPECT_GT(w, 0);
  int proposed = 500, ph = 0;
  file->OnMeasureItem(file, nullptr, proposed, ph);
  EXPECT_EQ(proposed, 500);
  int sw = 0, sh = 0;
  open->OnMeasureItem(open, nullptr, sw, sh);
  EXPECT_NE(sh, h);  // measured as a pop-up item
  const auto draw = [&](UINT state) {
    TsBitmap24 picture(60, h);
    {
      skin::TsDibCanvas canvas(picture);
      file->OnDrawItem(file, canvas.DC(), RECT{0, 0, 60, h}, state);
    }
    return picture;
  };
  EXPECT_FALSE(draw(0) == draw(ODS_SELECTED));
  Painter().SetMenuOwnerDraw(menu, false);
  EXPECT_FALSE(menu->OwnerDraw);
  EXPECT_FALSE(static_cast<bool>(file->OnDrawItem));
  EXPECT_FALSE(static_cast<bool>(open->OnMeasureItem));
}

}  // namespace

namespace {

// A form with a two-level main menu in each skin: the frame keeps the
// menu rows under the title and paints them itself (the "MENULINE" face
// past the last item, the items through the painter), the screen shows
// only that picture (also while an item is hot and after wrapping into two
// rows), the rows answer HTMENU, and access keys, arrows, Enter and a click
// open and choose items; kept as screenshots.
class FormMenuTest : public SkinMenusTest {
protected:
  void SetUp() override {
    SkinMenusTest::SetUp();
    menu_ = new tk::TMainMenu(form_);
    tk::TMenuItem* file = NewItem("&File", &menu_->Items());
    for (const char* c : {"&Open", "&Recent", "-", "E&xit"}) NewItem(c, file);
    for (const char* c : {"&One", "&Two"}) NewItem(c, file->Items(1));
    NewItem("&Edit", &menu_->Items())->Enabled = false;
    NewItem("&About", NewItem("&Help", &menu_->Items()));
    for (tk::TMenuItem* i : {file->Items(0), file->Items(1)->Items(1), file->Items(3)})
      i->OnClick = [this, i](tk::TComponent*) { clicked_ = i->Caption; };
    provider_ = form_->sSkinProvider1;
    h_ = form_->Handle();
    captionWithoutMenu_ = provider_->Layout().CaptionHeight;
    Painter().SetMenuOwnerDraw(menu_, true);
    form_->SetMenu(menu_);
    Settle();
  }

  void Settle() {
    RedrawWindow(h_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    app_->ProcessMessages();
  }

  // Pixels of the menu rows on the screen that differ from the frame
  // picture.
  int MenuRowMismatches() {
    const TsBitmap24 shown = ScreenPicture(h_);
    TsBitmap24 expected = shown;
    provider_->PaintFrameInto(expected);
    const skin::TFrameRect bar = provider_->MenuBar();
    int wrong = 0;
    for (int32_t y = bar.Top; y < bar.Bottom; ++y)
      for (int32_t x = bar.Left; x < bar.Right; ++x) wrong += shown.Pixel(x, y) != expected.Pixel(x, y);
    return wrong;
  }

  POINT ItemMiddle(UINT position) const {
    RECT r{};
    GetMenuItemRect(h_, GetMenu(h_), position, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  tk::TMainMenu* menu_ = nullptr;
  int32_t captionWithoutMenu_ = 0;
  skin::TsSkinProvider* provider_ = nullptr;
  HWND h_ = nullptr;
};

TEST_F(FormMenuTest, MenuLineIsPaintedByTheSkinAndOpensItsPopups) {
  const int32_t row = GetSystemMetrics(SM_CYMENU) - 1;
  for (const char* name : kSkinNames) {
    SCOPED_TRACE(name);
    Switch(name);
    Settle();
    const skin::TFrameRect bar = provider_->MenuBar();
    ASSERT_FALSE(bar.Empty());
    const skin::TFrameLayout f = provider_->Layout();
    EXPECT_EQ(f.CaptionHeight, captionWithoutMenu_);
    EXPECT_EQ(bar.Top, f.TopBorder + f.CaptionHeight);
    EXPECT_EQ(f.MenuHeight, row);
    EXPECT_GE(bar.Height(), row);
    EXPECT_EQ(MenuRowMismatches(), 0);
    const TsBitmap24 shown = ScreenPicture(h_);
    const skin::TsSkinManager& sm = *form_->sSkinManager1;
    // Past the last item the line shows the section's face (its gradient
    // rounds a unit apart on a row of another height).
    const TColor face =
        SectionFace(sm, "MENULINE", false, bar.Width(), bar.Height(), bar.Width() - 3, bar.Height() / 2);
    const TColor past = shown.Pixel(bar.Right - 3, bar.Top + bar.Height() / 2);
    for (int shift : {0, 8, 16}) EXPECT_LE(std::abs(int((face >> shift) & 255) - int((past >> shift) & 255)), 2);
    const POINT file = ItemMiddle(0);
    EXPECT_EQ(SendMessageW(h_, WM_NCHITTEST, 0, MAKELPARAM(file.x, file.y)), HTMENU);

    // Alt+F opens "File" skinned, its bar item hot; "o" chooses "Open".
    SetCursorPos(0, 0);
    clicked_.clear();
    int hotMismatches = -1;
    MenuScript s;
    int systemArrow = -1, ownArrow = 0;
    s.Steps = {Wait(), Wait(), [&](HWND m) {
                 EXPECT_TRUE(Painter().PopupBackground().Width() > 0);
                 // "Recent" shows the painter's arrow, not the system's black one.
                 const TsBitmap24 popup = ScreenPicture(m);
                 const RECT recent = ItemRect(m, reinterpret_cast<HMENU>(SendMessageW(m, MN_GETHMENU, 0, 0)), 1);
                 const int32_t menuItem = sm.GetSkinIndex("MENUITEM");
                 const auto ink = static_cast<TColor>(sm.Skin().gd[static_cast<size_t>(menuItem)].FontColor[0]);
                 systemArrow = 0;
                 for (int32_t y = recent.top; y < recent.bottom; ++y)
                   for (int32_t x = recent.right - 20; x < recent.right; ++x) {
                     systemArrow += popup.Pixel(x, y) == 0;
                     ownArrow += popup.Pixel(x, y) == ink;
                   }
                 hotMismatches = MenuRowMismatches();
                 SaveBmp(ScreenPicture(GetDesktopWindow()), ("menu_bar_" + Stem(name) + ".bmp").c_str());
               },
               Char(L'o')};
    RunMenu(s, [&] { SendMessageW(h_, WM_SYSCOMMAND, SC_KEYMENU, 'f'); });
    app_->ProcessMessages();
    EXPECT_TRUE(s.Seen);
    EXPECT_EQ(hotMismatches, 0);
    EXPECT_EQ(systemArrow, 0);
    EXPECT_GT(ownArrow, 0);
    EXPECT_EQ(clicked_, "&Open");
    Settle();
    EXPECT_EQ(MenuRowMismatches(), 0);
  }
}

// F10 and the arrows reach the second level; a click on "File" and an
// access key choose in the first.
TEST_F(FormMenuTest, KeyboardAndMouseReachEveryLevel) {
  const struct {
    const char* how;
    std::function<void()> open;
    std::vector<std::function<void(HWND)>> steps;
    const char* clicked;
  } cases[] = {
      {"F10, Down opens File, Down, Right, Down, Enter",
       [&] {
         // The bar is tracked first without a pop-up: the key that opens
         // one waits in the queue.
         PostMessageW(h_, WM_KEYDOWN, VK_DOWN, 0);
         SendMessageW(h_, WM_SYSCOMMAND, SC_KEYMENU, 0);
       },
       {Wait(), Key(VK_DOWN), Key(VK_RIGHT), Wait(), Key(VK_DOWN), Key(VK_RETURN)},
       "&Two"},
      {"click on File, x", [&] {
         const POINT p = ItemMiddle(0);
         SendMessageW(h_, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(p.x, p.y));
       },
       {Wait(), Char(L'x')}, "E&xit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    SetCursorPos(0, 0);
    clicked_.clear();
    MenuScript s;
    s.Steps = c.steps;
    RunMenu(s, c.open);
    app_->ProcessMessages();
    EXPECT_TRUE(s.Seen);
    EXPECT_EQ(clicked_, c.clicked);
  }
  Settle();
  EXPECT_EQ(MenuRowMismatches(), 0);
}

// Narrowed until the items wrap, the frame keeps two rows and paints them.
TEST_F(FormMenuTest, ItemsWrapIntoASecondRow) {
  for (const char* c : {"&Tools and options", "&Window arrangement"}) NewItem(c, &menu_->Items());
  Painter().SetMenuOwnerDraw(menu_, true);
  form_->SetMenu(menu_);
  RECT r;
  GetWindowRect(h_, &r);
  SetWindowPos(h_, nullptr, 0, 0, 200, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  Settle();
  const skin::TFrameLayout f = provider_->Layout();
  const skin::TFrameRect bar = provider_->MenuBar();
  EXPECT_EQ(f.MenuHeight, 2 * (GetSystemMetrics(SM_CYMENU) - 1));
  EXPECT_GE(bar.Height(), f.MenuHeight);
  EXPECT_EQ(f.CaptionHeight, captionWithoutMenu_);
  EXPECT_EQ(MenuRowMismatches(), 0);
  SaveBmp(ScreenPicture(h_), "menu_bar_wrapped.bmp");
}

}  // namespace
