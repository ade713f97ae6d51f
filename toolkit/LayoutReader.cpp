#include "toolkit/LayoutReader.h"

#include "toolkit/Controls.h"
#include "toolkit/SysUtils.h"

namespace tk {

namespace {

void ReadProperties(TComponent& c, const tpf0::Object& stored) {
  for (const auto& p : stored.props) {
    bool known;
    try {
      known = c.SetProperty(p.name, p.value);
    } catch (const EReadError& e) {
      throw EReadError("Error reading " + stored.name + "." + p.name + ": " + e.Message());
    }
    if (!known)
      throw EReadError("Error reading " + stored.name + "." + p.name + ": Property " + p.name + " does not exist");
  }
}

void ReadChildren(TComponent& root, TWinControl* parent, const tpf0::Object& stored, std::vector<TComponent*>& loaded) {
  for (const auto& child : stored.children) {
    TComponent* c = CreateComponent(child.className, &root);
    if (!c) throw EClassNotFound("Class " + child.className + " not found");
    c->SetName(child.name);
    c->SetLoading(true);
    auto* control = dynamic_cast<TControl*>(c);
    if (control && parent) control->SetParent(parent);
    ReadProperties(*c, child);
    loaded.push_back(c);
    auto* win = dynamic_cast<TWinControl*>(c);
    ReadChildren(root, win ? win : parent, child, loaded);
  }
}

}  // namespace

void ReadComponent(TComponent& root, const tpf0::Object& stored) {
  root.SetName(stored.name);
  root.SetLoading(true);
  std::vector<TComponent*> loaded = {&root};
  try {
    ReadProperties(root, stored);
    ReadChildren(root, dynamic_cast<TWinControl*>(&root), stored, loaded);
  } catch (...) {
    for (TComponent* c : loaded) c->SetLoading(false);
    throw;
  }
  for (TComponent* c : loaded) c->SetLoading(false);
  for (TComponent* c : loaded) c->Loaded();
}

}  // namespace tk
