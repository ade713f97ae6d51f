#include "toolkit/Menus.h"

#include <algorithm>
#include <map>
#include <utility>

#include "base/ScopeExit.h"

#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace tk {

namespace {

// Commands of menu items: below the system menu's commands (0xF000 and up)
// and above the dialog identifiers a form's controls use.
constexpr WORD kFirstCommand = 0x0100;
constexpr WORD kLastCommand = 0xEFFF;

// The live items by command; owner-draw messages carry an item's address,
// which is trusted only when the item is found here.
std::map<WORD, TMenuItem*>& ItemsByCommand() {
  static std::map<WORD, TMenuItem*> items;
  return items;
}

WORD TakeCommand(TMenuItem* item) {
  auto& items = ItemsByCommand();
  static WORD next = kFirstCommand;
  for (int tries = kLastCommand - kFirstCommand + 1; tries > 0; --tries) {
    const WORD command = next;
    next = next == kLastCommand ? kFirstCommand : static_cast<WORD>(next + 1);
    if (items.emplace(command, item).second) return command;
  }
  throw EOutOfResources("Too many menu items");
}

HMENU& CurrentDrawingMenu() {
  static HMENU menu = nullptr;
  return menu;
}

TMenuItem* LiveItem(ULONG_PTR data) {
  auto* item = reinterpret_cast<TMenuItem*>(data);
  if (!item) return nullptr;
  const auto it = ItemsByCommand().find(item->Command());
  return it != ItemsByCommand().end() && it->second == item ? item : nullptr;
}

TMenuBreak ParseBreak(const std::string& prop, const tpf0::Value& v) {
  const std::string ident = ValueToIdent(prop, v);
  if (ident == "mbNone") return TMenuBreak::mbNone;
  if (ident == "mbBreak") return TMenuBreak::mbBreak;
  if (ident == "mbBarBreak") return TMenuBreak::mbBarBreak;
  throw EReadError("Invalid property value for " + prop + ": " + ident);
}

std::string KeyText(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  static const std::pair<WORD, const char*> kNames[] = {
      {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},   {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},  {VK_SPACE, "Space"},
      {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"},      {VK_HOME, "Home"},   {VK_LEFT, "Left"},
      {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},
  };
  for (const auto& [vk, name] : kNames)
    if (vk == key) return name;
  return {};
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyText(shortCut & 0xFF);
  if (key.empty()) return {};
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}

wchar_t AccessKey(const std::string& caption) {
  const std::wstring text = Wide(caption);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] != L'&') return text[i + 1];
    ++i;  // "&&" stands for "&"
  }
  return 0;
}

// ---------------------------------------------------------------- TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(TakeCommand(this)) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* child : items_) child->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
  ItemsByCommand().erase(command_);
}

void TMenuItem::Add(TMenuItem* item) { Insert(items_.size(), item); }

void TMenuItem::Insert(size_t index, TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  items_.insert(items_.begin() + static_cast<ptrdiff_t>(std::min(index, items_.size())), item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->parent_ = nullptr;
}

TMenuItem* TMenuItem::FindCommand(WORD command) {
  if (command == command_) return this;
  for (TMenuItem* child : items_)
    if (TMenuItem* found = child->FindCommand(command)) return found;
  return nullptr;
}

bool TMenuItem::AddChild(TComponent* child) {
  auto* item = dynamic_cast<TMenuItem*>(child);
  if (!item) return false;
  Add(item);
  return true;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

bool TMenuItem::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "Caption")
    Caption = ValueToString(name, v);
  else if (name == "Checked")
    Checked = ValueToBool(name, v);
  else if (name == "RadioItem")
    RadioItem = ValueToBool(name, v);
  else if (name == "Enabled")
    Enabled = ValueToBool(name, v);
  else if (name == "Visible")
    Visible = ValueToBool(name, v);
  else if (name == "Default")
    Default = ValueToBool(name, v);
  else if (name == "Break")
    Break = ParseBreak(name, v);
  else if (name == "ShortCut")
    ShortCut = static_cast<TShortCut>(ValueToInt(name, v));
  else if (name == "OnClick") {
    const std::string method = ValueToIdent(name, v);
    OnClick = MethodRoot()->FindMethod(method);
    if (!OnClick) throw EReadError("Method " + method + " not found");
  } else {
    return TComponent::SetProperty(name, v);
  }
  return true;
}

// ---------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(nullptr) {}

HMENU TMenu::Rebuild() {
  base::MenuHandle menu(CreateHandle());
  if (!menu) throw EOutOfResources("Cannot create a menu");
  Fill(menu.get(), items_);
  handle_ = std::move(menu);
  return handle_.get();
}

void TMenu::Fill(HMENU menu, const TMenuItem& parent) const {
  UINT position = 0;
  for (size_t i = 0; i < parent.Count(); ++i) {
    const TMenuItem& item = *parent.Items(i);
    if (!item.Visible) continue;
    std::wstring text = Wide(item.Caption);
    if (const std::string keys = ShortCutToText(item.ShortCut); !keys.empty()) text += L"\t" + Wide(keys);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
    info.fType = item.IsSeparator() ? MFT_SEPARATOR : 0;
    if (item.RadioItem) info.fType |= MFT_RADIOCHECK;
    if (item.Break == TMenuBreak::mbBreak) info.fType |= MFT_MENUBREAK;
    if (item.Break == TMenuBreak::mbBarBreak) info.fType |= MFT_MENUBARBREAK;
    if (OwnerDraw) info.fType |= MFT_OWNERDRAW;
    info.fState = (item.Checked ? MFS_CHECKED : 0) | (item.Enabled ? 0 : MFS_DISABLED) | (item.Default ? MFS_DEFAULT : 0);
    info.wID = item.Command();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    info.dwTypeData = text.data();
    if (item.Count() > 0) {
      // The submenu belongs to the menu from here on: DestroyMenu frees it.
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = CreatePopupMenu();
      if (!info.hSubMenu) throw EOutOfResources("Cannot create a menu");
      Fill(info.hSubMenu, item);
    }
    if (!InsertMenuItemW(menu, position++, TRUE, &info)) {
      if (info.hSubMenu) DestroyMenu(info.hSubMenu);
      throw EOutOfResources("Cannot add a menu item");
    }
  }
}

bool TMenu::DispatchCommand(WORD command) {
  TMenuItem* item = items_.FindCommand(command);
  if (!item || item == &items_ || !item->Enabled) return false;
  item->Click();
  return true;
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& mis) {
  if (mis.CtlType != ODT_MENU) return false;
  TMenuItem* item = LiveItem(mis.itemData);
  if (!item) return false;
  int width = 0, height = GetSystemMetrics(SM_CYMENU);
  if (item->OnMeasureItem) {
    const HDC dc = GetDC(nullptr);
    item->OnMeasureItem(item, dc, width, height);
    ReleaseDC(nullptr, dc);
  }
  mis.itemWidth = static_cast<UINT>(std::max(width, 0));
  mis.itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& dis) {
  if (dis.CtlType != ODT_MENU) return false;
  TMenuItem* item = LiveItem(dis.itemData);
  if (!item) return false;
  if (!item->OnDrawItem) return true;
  const HMENU outer = std::exchange(CurrentDrawingMenu(), reinterpret_cast<HMENU>(dis.hwndItem));
  const base::ScopeExit restore([outer] { CurrentDrawingMenu() = outer; });
  item->OnDrawItem(item, dis.hDC, dis.rcItem, dis.itemState);
  return true;
}

HMENU TMenu::DrawingMenu() { return CurrentDrawingMenu(); }

LRESULT TMenu::MenuChar(wchar_t key, HMENU menu) {
  const auto upper = [](wchar_t c) { return reinterpret_cast<uintptr_t>(CharUpperW(reinterpret_cast<LPWSTR>(c))); };
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    const TMenuItem* item = LiveItem(info.dwItemData);
    if (!item || !item->Enabled) continue;
    if (const wchar_t k = AccessKey(item->Caption); k && upper(k) == upper(key))
      return MAKELRESULT(i, MNC_EXECUTE);
  }
  return MAKELRESULT(0, MNC_IGNORE);
}

// ---------------------------------------------------------------- TPopupMenu

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  const HMENU menu = Rebuild();
  const HWND owner = Application ? Application->Handle() : nullptr;
  // Windows: a menu closes on a click elsewhere only while its owner is the
  // foreground window, and the owner must see a message after it closes.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (command) DispatchCommand(static_cast<WORD>(command));
}

}  // namespace tk
