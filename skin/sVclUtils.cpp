#include "skin/sVclUtils.h"

#include "skin/sConst.h"

namespace skin {

LRESULT SendSkinCommand(tk::TControl* control, uint16_t command, LPARAM lParam, uint16_t argument) {
  const WPARAM wParam = MakeSkinCmd(command, argument);
  auto* win = dynamic_cast<tk::TWinControl*>(control);
  if (!win) return control->Perform(SM_SKINCMD, wParam, lParam);
  if (!win->HandleAllocated() || win->IsDestroying()) return 0;
  return SendMessageW(win->Handle(), SM_SKINCMD, wParam, lParam);
}

bool QuerySkinCommand(tk::TControl* control, uint16_t command) {
  return control->Perform(SM_SKINCMD, MakeSkinCmd(command), 0) == 1;
}

bool IsSkinnedControl(tk::TControl* control) { return QuerySkinCommand(control, SKC_ISSKINNED); }

void BroadcastToChildren(tk::TWinControl* parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A handler may add or remove children: walk a copy.
  const std::vector<tk::TControl*> children = parent->Controls();
  for (tk::TControl* child : children) {
    if (child->IsDestroying()) return;
    try {
      auto* win = dynamic_cast<tk::TWinControl*>(child);
      if (!win)
        child->Perform(msg, wParam, lParam);
      else if (IsSkinnedControl(win))
        win->HandleAllocated() ? SendMessageW(win->Handle(), msg, wParam, lParam) : win->Perform(msg, wParam, lParam);
      else
        BroadcastToChildren(win, msg, wParam, lParam);
    } catch (...) {
      // One faulty control must not keep the others from the message.
    }
  }
}

}  // namespace skin
