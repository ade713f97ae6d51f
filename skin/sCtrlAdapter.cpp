#include "skin/sCtrlAdapter.h"

#include <cstring>

namespace skin {

void TorvCtrlAdapter::Adapt(tk::TComponent* c, tk::TColor fontColor) {
  // Only the plain label: its descendants draw themselves.
  if (auto* label = dynamic_cast<tk::TLabel*>(c); label && std::strcmp(label->ClassName(), "TLabel") == 0) {
    bool known = false;
    for (const Item& i : items_) known = known || i.Label == label;
    if (!known) {
      items_.push_back({label, label->Transparent, label->Font().Color});
      watcher_->FreeNotification(label);
    }
    label->Transparent = true;
    label->Font().Color = fontColor;
    if (label->Parent()) label->Invalidate();
  }
  for (tk::TComponent* owned : c->Components()) Adapt(owned, fontColor);
}

void TorvCtrlAdapter::AdaptAll(tk::TComponent* root, tk::TColor fontColor) {
  if (root && !root->IsDestroying()) Adapt(root, fontColor);
}

void TorvCtrlAdapter::Forget(tk::TComponent* c) {
  std::erase_if(items_, [c](const Item& i) { return i.Label == c; });
}

void TorvCtrlAdapter::RemoveAll() {
  for (const Item& i : items_) {
    watcher_->RemoveFreeNotification(i.Label);
    if (i.Label->IsDestroying()) continue;
    i.Label->Transparent = i.Transparent;
    i.Label->Font().Color = i.FontColor;
    if (i.Label->Parent()) i.Label->Invalidate();
  }
  items_.clear();
}

}  // namespace skin
