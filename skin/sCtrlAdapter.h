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
  // The adapter holds on to adapted labels: `watcher` is linked with each,
  // so that it hears of a label's destruction and passes it to Forget.
  explicit TorvCtrlAdapter(tk::TComponent* watcher) : watcher_(watcher) {}
  // Drops a label that is being destroyed.
  void Forget(tk::TComponent* c);
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
  tk::TComponent* watcher_;
  std::vector<Item> items_;
};

}  // namespace skin
