// A skinned dialog's system menu: Restore, Move, Size, Minimize, Maximize
// and Close, as a form's, without the skin submenu. The items send their
// commands to the dialog; which show and work follows the dialog's frame
// each time the menu is refreshed.
#pragma once

#include <windows.h>

#include "skin/sFrameLayout.h"
#include "toolkit/Menus.h"

namespace skin {

class TorvSystemMenu : public tk::TPopupMenu {
public:
  explicit TorvSystemMenu(HWND dialog);
  const char* ClassName() const override { return "TorvSystemMenu"; }

  // `f` is the dialog's frame as laid out now.
  void Refresh(TFrameBorder border, const TFrameLayout& f);
  tk::TMenuItem* Item(const char* name) const;

private:
  tk::TMenuItem* AddItem(const char* name, const char* caption, WPARAM command);
  HWND dialog_;
};

}  // namespace skin
