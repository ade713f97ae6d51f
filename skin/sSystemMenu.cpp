#include "skin/sSystemMenu.h"

#include "skin/sFrameLayout.h"
#include "skin/sFrameSkin.h"
#include "skin/sSkinManager.h"

namespace skin {

TsSystemMenu::TsSystemMenu(tk::TForm* form, bool makeSkinMenu) : tk::TPopupMenu(nullptr), form_(form) {
  if (makeSkinMenu) {
    skins_ = AddItem(&Items(), "SkinSelectItem", "Available skins", 0);
    AddItem(&Items(), "", "-", 0);
  }
  for (const TSystemItem& i : kSystemItems) AddItem(&Items(), i.Name, i.Caption, i.Command);
  AddItem(&Items(), "", "-", 0);
  AddItem(&Items(), kSystemClose.Name, kSystemClose.Caption, kSystemClose.Command)->ShortCut = kSystemCloseKey;
}

tk::TMenuItem* TsSystemMenu::AddItem(tk::TMenuItem* parent, const char* name, const char* caption, WPARAM command) {
  auto* item = new tk::TMenuItem(this);
  item->SetName(name);
  item->Caption = caption;
  if (command) {
    item->OnClick = [this, command](tk::TComponent*) {
      if (!form_->HandleAllocated()) return;
      // The main form owns the taskbar button: minimising it minimises the
      // program.
      if (command == SC_MAXIMIZE)
        form_->SetWindowState(tk::TWindowState::wsMaximized);
      else
        SendMessageW(form_->Handle(), WM_SYSCOMMAND, command, 0);
    };
  }
  parent->Add(item);
  return item;
}

tk::TMenuItem* TsSystemMenu::Item(const char* name) const {
  for (tk::TComponent* c : Components())
    if (c->Name() == name) return static_cast<tk::TMenuItem*>(c);
  return nullptr;
}

std::string TsSystemMenu::SkinCaption(const std::string& name) {
  std::string caption;
  for (char c : name) {
    caption += c;
    if (c == '&') caption += '&';
  }
  return caption;
}

void TsSystemMenu::FillSkins(TsSkinManager* manager) {
  while (skins_->Count() > 0) delete skins_->Items(skins_->Count() - 1);
  if (!manager) return;
  std::vector<std::string> names;
  manager->GetSkinNames(names);
  const std::vector<int32_t> breaks = MenuColumnBreaks(static_cast<int32_t>(names.size()), kSkinsPerColumn);
  for (size_t i = 0; i < names.size(); ++i) {
    auto* item = new tk::TMenuItem(this);
    item->SetName("SkinSelectItem" + std::to_string(i));
    item->Caption = SkinCaption(names[i]);
    item->RadioItem = true;
    item->Checked = names[i] == manager->SkinName();
    for (int32_t b : breaks)
      if (b == static_cast<int32_t>(i)) item->Break = tk::TMenuBreak::mbBreak;
    // The name itself, not the caption: a caption marks keys with "&".
    const std::string name = names[i];
    item->OnClick = [manager, name](tk::TComponent*) { manager->SetSkinName(name); };
    skins_->Add(item);
  }
}

void TsSystemMenu::Refresh(TsSkinManager* manager) {
  using tk::TFormBorderStyle;
  const TFormBorderStyle border = form_->BorderStyle();
  const uint8_t icons = form_->BorderIcons();
  const tk::TWindowState state = form_->WindowState();
  TFrameInput in;
  in.Border = static_cast<TFrameBorder>(border);
  in.Icons = icons;
  in.State = static_cast<TFrameState>(state);
  const TFrameLayout f = LayoutFrame(in, {});
  const bool sysMenu = (icons & tk::biSystemMenu) != 0;
  const bool plain = border != TFormBorderStyle::bsNone && border != TFormBorderStyle::bsDialog &&
                     border != TFormBorderStyle::bsToolWindow;
  tk::TMenuItem* restore = Item("ItemRestore");
  restore->Visible = sysMenu && plain && border != TFormBorderStyle::bsSizeToolWin;
  restore->Enabled = ((icons & tk::biMaximize) && state != tk::TWindowState::wsNormal) ||
                     state == tk::TWindowState::wsMinimized;
  Item("ItemMove")->Enabled = state != tk::TWindowState::wsMaximized;
  Item("ItemSize")->Visible = plain;
  Item("ItemSize")->Enabled = border != TFormBorderStyle::bsSingle && state != tk::TWindowState::wsMinimized;
  Item("ItemMinimize")->Visible = f.Shown[cbMinimize];
  Item("ItemMinimize")->Enabled = f.Enabled[cbMinimize];
  Item("ItemMaximize")->Visible = f.Shown[cbMaximize];
  Item("ItemMaximize")->Enabled = f.Enabled[cbMaximize] && state != tk::TWindowState::wsMaximized;
  Item("ItemClose")->Visible = sysMenu;
  Item("ItemClose")->Enabled = !form_->HandleAllocated() || WindowOffersClose(form_->Handle());
  if (skins_) FillSkins(manager);
}

}  // namespace skin
