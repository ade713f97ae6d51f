#include "skin/orvSystemMenu.h"

#include "skin/sSystemMenu.h"

namespace skin {

TorvSystemMenu::TorvSystemMenu(HWND dialog) : tk::TPopupMenu(nullptr), dialog_(dialog) {
  for (const TSystemItem& i : kSystemItems) AddItem(i.Name, i.Caption, i.Command);
  AddItem("", "-", 0);
  AddItem(kSystemClose.Name, kSystemClose.Caption, kSystemClose.Command)->ShortCut = kSystemCloseKey;
}

tk::TMenuItem* TorvSystemMenu::AddItem(const char* name, const char* caption, WPARAM command) {
  auto* item = new tk::TMenuItem(this);
  item->SetName(name);
  item->Caption = caption;
  if (command)
    item->OnClick = [this, command](tk::TComponent*) {
      if (IsWindow(dialog_)) SendMessageW(dialog_, WM_SYSCOMMAND, command, 0);
    };
  Items().Add(item);
  return item;
}

tk::TMenuItem* TorvSystemMenu::Item(const char* name) const {
  for (tk::TComponent* c : Components())
    if (c->Name() == name) return static_cast<tk::TMenuItem*>(c);
  return nullptr;
}

void TorvSystemMenu::Refresh(TFrameBorder border, const TFrameLayout& f) {
  const bool zoomed = IsZoomed(dialog_) != FALSE, iconic = IsIconic(dialog_) != FALSE;
  Item("ItemRestore")->Enabled = zoomed || iconic;
  Item("ItemMove")->Enabled = !zoomed;
  Item("ItemSize")->Enabled = border != TFrameBorder::Single && !iconic;
  Item("ItemMinimize")->Visible = f.Shown[cbMinimize];
  Item("ItemMinimize")->Enabled = f.Enabled[cbMinimize];
  Item("ItemMaximize")->Visible = f.Shown[cbMaximize];
  Item("ItemMaximize")->Enabled = f.Enabled[cbMaximize] && !zoomed;
  Item(kSystemClose.Name)->Enabled = f.Enabled[cbClose];
}

}  // namespace skin
