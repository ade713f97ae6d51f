// Menus: a tree of items built into a system menu on demand. Items carry
// their command, check mark (or radio mark), column break, shortcut text and
// click handler; owner-drawn menus hand measuring and drawing to handlers
// of the item, so a skin can paint them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/WinUser.h"
#include "toolkit/Classes.h"

namespace tk {

enum class TMenuBreak : uint8_t { mbNone, mbBreak, mbBarBreak };

// A virtual key with modifier bits, as menus show and accelerators use it.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+C", "Alt+F4", "Shift+Del"; empty for no shortcut.
std::string ShortCutToText(TShortCut shortCut);
// The access key a caption marks with "&" ("E&xit" -> 'x'; "&&" is a plain
// "&"); 0 when none.
wchar_t AccessKey(const std::string& caption);

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  const char* ClassName() const override { return "TMenuItem"; }

  std::string Caption;  // "-" makes a separator; "&" marks the access key
  bool Checked = false;
  bool RadioItem = false;  // the check mark is a round bullet
  bool Enabled = true;
  bool Visible = true;
  bool Default = false;  // drawn bold, chosen by a double click on the system menu
  TMenuBreak Break = TMenuBreak::mbNone;
  TShortCut ShortCut = 0;
  TNotifyEvent OnClick;
  // Owner-drawn menus: the size the item needs and its drawing (state the
  // ODS_* bits of the system's DRAWITEMSTRUCT).
  std::function<void(TMenuItem* item, HDC dc, int& width, int& height)> OnMeasureItem;
  std::function<void(TMenuItem* item, HDC dc, const RECT& rect, UINT state)> OnDrawItem;

  // Sub-items. Add puts an item at the end, Insert before `index`; an item
  // belongs to one parent at a time and leaves it when destroyed. Items are
  // freed by their TComponent owner.
  void Add(TMenuItem* item);
  void Insert(size_t index, TMenuItem* item);
  void Remove(TMenuItem* item);
  size_t Count() const { return items_.size(); }
  TMenuItem* Items(size_t index) const { return items_[index]; }
  TMenuItem* Parent() const { return parent_; }
  bool IsSeparator() const { return Caption == "-"; }

  // The command the system menu reports for this item (unique in the process).
  WORD Command() const { return command_; }
  // The item that has that command, here or below; nullptr when none.
  TMenuItem* FindCommand(WORD command);
  virtual void Click();

  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
  bool AddChild(TComponent* child) override;
  bool IsContainedOnly() const override { return true; }

private:
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  WORD command_;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* owner);
  const char* ClassName() const override { return "TMenu"; }

  // The root item: its sub-items are the menu.
  TMenuItem& Items() { return items_; }
  // Items are drawn by their OnMeasureItem / OnDrawItem handlers.
  bool OwnerDraw = false;
  bool AddChild(TComponent* child) override { return items_.AddChild(child); }

  // The system menu for the items as they are now, built again from the
  // items at each call (items change freely between uses).
  HMENU Rebuild();
  HMENU Handle() const { return handle_.get(); }

  // Runs the click of the item with that command; false when none has it.
  bool DispatchCommand(WORD command);
  // Measuring and drawing of owner-drawn items, for the window that owns
  // the menu while it shows; true when the item was one of this menu's.
  static bool MeasureItem(MEASUREITEMSTRUCT& mis);
  static bool DrawItem(const DRAWITEMSTRUCT& dis);
  // The menu whose item DrawItem is drawing (null outside of it), for
  // handlers that need the system's menu of the item.
  static HMENU DrawingMenu();
  // WM_MENUCHAR of an owner-drawn menu (the system cannot see the access
  // keys): runs the item whose caption marks `key` with "&".
  static LRESULT MenuChar(wchar_t key, HMENU menu);

protected:
  virtual HMENU CreateHandle() const { return CreatePopupMenu(); }

private:
  void Fill(HMENU menu, const TMenuItem& parent) const;
  TMenuItem items_;
  base::MenuHandle handle_;
};

class TMainMenu : public TMenu {
public:
  using TMenu::TMenu;
  const char* ClassName() const override { return "TMainMenu"; }

protected:
  HMENU CreateHandle() const override { return CreateMenu(); }
};

class TPopupMenu : public TMenu {
public:
  using TMenu::TMenu;
  const char* ClassName() const override { return "TPopupMenu"; }
  TNotifyEvent OnPopup;  // before the menu shows: the place to update items

  // Shows the menu at screen point (x, y) and runs the chosen item's click
  // once the menu has closed. The application's hidden window owns the menu
  // while it shows, so owner-drawn items get their messages.
  void Popup(int x, int y);
};

}  // namespace tk
