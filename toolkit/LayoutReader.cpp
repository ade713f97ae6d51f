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

// Controls go into the windowed control they are stored in; other
// components (menu items) into the component they are stored in.
void ReadChildren(TComponent& root, TComponent* container, const tpf0::Object& stored,
                  std::vector<TComponent*>& loaded) {
  for (const auto& child : stored.children) {
    TComponent* c = CreateComponent(child.className, &root);
    if (!c) throw EClassNotFound("Class " + child.className + " not found");
    c->SetName(child.name);
    c->SetLoading(true);
    auto* control = dynamic_cast<TControl*>(c);
    if (control) {
      if (auto* parent = dynamic_cast<TWinControl*>(container)) control->SetParent(parent);
    } else if (container && !container->AddChild(c)) {
      throw EReadError("Component " + child.name + " cannot be stored inside " + container->Name());
    }
    ReadProperties(*c, child);
    loaded.push_back(c);
    const bool holdsControls = dynamic_cast<TWinControl*>(c) || !control;
    ReadChildren(root, holdsControls ? c : container, child, loaded);
  }
}

}  // namespace

void ReadComponent(TComponent& root, const tpf0::Object& stored) {
  root.SetName(stored.name);
  root.SetLoading(true);
  std::vector<TComponent*> loaded = {&root};
  try {
    ReadProperties(root, stored);
    ReadChildren(root, &root, stored, loaded);
  } catch (...) {
    for (TComponent* c : loaded) c->SetLoading(false);
    throw;
  }
  for (TComponent* c : loaded) c->SetLoading(false);
  for (TComponent* c : loaded) c->Loaded();
}

}  // namespace tk
