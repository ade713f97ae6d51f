// Skins the form's plain child controls that have no skinning of their
// own. So far the plain label: it becomes transparent on the skinned
// background and takes the skin's global font colour; the label gets its
// own look back when the skin goes.
#pragma once

#include <vector>

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TorvCtrlAdapter {
public:
  // Adapts every plain label owned by `root` (and by the components it
  // owns), with the font colour given.
  void AdaptAll(tk::TComponent* root, tk::TColor fontColor);
  // Gives every adapted label its own look back.
  void RemoveAll();
  size_t Count() const { return items_.size(); }

private:
  struct Item {
    tk::TLabel* Label;
    bool Transparent;
    tk::TColor FontColor;
  };
  void Adapt(tk::TComponent* c, tk::TColor fontColor);
  std::vector<Item> items_;
};

}  // namespace skin
