// Components: objects with an owner and a name, created by class name from a
// stored layout and given their published properties by name.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Tpf0.h"

namespace tk {

class TComponent;

// An event handler: the component that raised the event is its sender.
using TNotifyEvent = std::function<void(TComponent* sender)>;

// Conversions of stored values to the types of published properties. They
// raise EReadError naming the property when the stored type does not fit.
int32_t ValueToInt(const std::string& prop, const tpf0::Value& v);
bool ValueToBool(const std::string& prop, const tpf0::Value& v);
std::string ValueToString(const std::string& prop, const tpf0::Value& v);  // UTF-8
std::vector<std::string> ValueToSet(const std::string& prop, const tpf0::Value& v);
std::string ValueToIdent(const std::string& prop, const tpf0::Value& v);

class TComponent {
public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual const char* ClassName() const { return "TComponent"; }

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  int Tag = 0;

  const std::vector<TComponent*>& Components() const { return components_; }
  TComponent* FindComponent(const std::string& name) const;

  // Sets one published property from the layout. Returns false when this
  // class has no property of that name (the reader then reports it).
  virtual bool SetProperty(const std::string& name, const tpf0::Value& value);

  // Event handlers published by this component (forms publish theirs), found
  // by name when the layout binds an event. Empty when there is none.
  virtual TNotifyEvent FindMethod(const std::string& name);

  // Takes a non-visual component stored inside this one in a layout (the
  // items of a menu); false when this class holds none.
  virtual bool AddChild(TComponent* child) { return !child->IsContainedOnly(); }
  // True for components that exist only inside another one (menu items).
  virtual bool IsContainedOnly() const { return false; }

  // Called once every component of the layout has its properties.
  virtual void Loaded() {}

  // True while the layout reader gives this component its properties.
  bool Loading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }
  // True once destruction has begun. Destroying() marks this component and
  // every component it owns, so messages sent while a window is being torn
  // down can skip the parts that are going away.
  bool IsDestroying() const { return destroying_; }
  void Destroying();

  // While a layout is being read, the component that binds event names.
  TComponent* MethodRoot() const;

  // Links this component with `other` so that each is told through
  // Notification when the other is destroyed; a component that refers to
  // one it does not own uses this to drop the reference in time.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

protected:
  virtual void Notification(TComponent* removed) {}

private:
  std::vector<TComponent*> linked_;
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
  bool loading_ = false;
  bool destroying_ = false;
};

// Class registry: the layout names classes, the registry creates them.
using ComponentFactory = std::function<TComponent*(TComponent* owner)>;
void RegisterComponentClass(const std::string& className, ComponentFactory factory);
TComponent* CreateComponent(const std::string& className, TComponent* owner);  // nullptr if unknown

template <class T>
void RegisterClass(const char* name) {
  RegisterComponentClass(name, [](TComponent* owner) -> TComponent* { return new T(owner); });
}

}  // namespace tk
