// The skinned form's system menu: Restore, Move, Size, Minimize, Maximize
// and Close, and (with MakeSkinMenu) "Available skins" with one radio item
// per skin the manager offers, the current one checked, a new column every
// 20 items. Which items show and work follows the form's frame each time
// the menu is refreshed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

namespace skin {

class TsSkinManager;

// The window commands of a system menu in their order: item name, caption
// and the command sent; a separator and Close (Alt+F4) follow them.
struct TSystemItem {
  const char* Name;
  const char* Caption;
  WPARAM Command;
};
inline constexpr TSystemItem kSystemItems[] = {
    {"ItemRestore", "Restore", SC_RESTORE}, {"ItemMove", "Move", SC_MOVE},
    {"ItemSize", "Size", SC_SIZE},          {"ItemMinimize", "Minimize", SC_MINIMIZE},
    {"ItemMaximize", "Maximize", SC_MAXIMIZE},
};
inline constexpr TSystemItem kSystemClose{"ItemClose", "Close", SC_CLOSE};
inline constexpr tk::TShortCut kSystemCloseKey = tk::scAlt | VK_F4;

// Skins per column of the skin submenu.
inline constexpr int32_t kSkinsPerColumn = 20;

class TsSystemMenu : public tk::TPopupMenu {
public:
  TsSystemMenu(tk::TForm* form, bool makeSkinMenu);
  const char* ClassName() const override { return "TsSystemMenu"; }

  // Visibility and enabled states from the form as it is now, and the
  // skin items from the manager's skins.
  void Refresh(TsSkinManager* manager);
  tk::TMenuItem* Item(const char* name) const;
  tk::TMenuItem* SkinItems() const { return skins_; }

  // The caption a skin name gets: "&" doubled, so that it marks no key.
  static std::string SkinCaption(const std::string& name);

private:
  tk::TMenuItem* AddItem(tk::TMenuItem* parent, const char* name, const char* caption, WPARAM command);
  void FillSkins(TsSkinManager* manager);

  tk::TForm* form_;
  tk::TMenuItem* skins_ = nullptr;
};

}  // namespace skin
