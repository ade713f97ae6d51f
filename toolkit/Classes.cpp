#include "toolkit/Classes.h"

#include <algorithm>

#include "toolkit/SysUtils.h"

namespace tk {

namespace {

std::map<std::string, ComponentFactory>& Registry() {
  static std::map<std::string, ComponentFactory> registry;
  return registry;
}

[[noreturn]] void BadType(const std::string& prop) { throw EReadError("Invalid property value for " + prop); }

}  // namespace

int32_t ValueToInt(const std::string& prop, const tpf0::Value& v) {
  if (!v.IsInteger() || v.integer < INT32_MIN || v.integer > INT32_MAX) BadType(prop);
  return static_cast<int32_t>(v.integer);
}

bool ValueToBool(const std::string& prop, const tpf0::Value& v) {
  if (!v.IsBoolean()) BadType(prop);
  return v.type == tpf0::ValueType::True;
}

std::string ValueToString(const std::string& prop, const tpf0::Value& v) {
  if (!v.IsString()) BadType(prop);
  return v.text;
}

std::vector<std::string> ValueToSet(const std::string& prop, const tpf0::Value& v) {
  if (v.type != tpf0::ValueType::Set) BadType(prop);
  return v.set;
}

std::string ValueToIdent(const std::string& prop, const tpf0::Value& v) {
  if (v.type != tpf0::ValueType::Ident) BadType(prop);
  return v.text;
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  Destroying();
  // Linked components forget this one first, then hear that it goes.
  for (TComponent* c : std::vector<TComponent*>(linked_)) {
    c->linked_.erase(std::remove(c->linked_.begin(), c->linked_.end(), this), c->linked_.end());
    c->Notification(this);
  }
  // Owned components go first, newest first, each removing itself from us.
  while (!components_.empty()) delete components_.back();
  if (owner_) {
    auto& siblings = owner_->components_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this || std::find(linked_.begin(), linked_.end(), other) != linked_.end()) return;
  linked_.push_back(other);
  other->linked_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  linked_.erase(std::remove(linked_.begin(), linked_.end(), other), linked_.end());
  other->linked_.erase(std::remove(other->linked_.begin(), other->linked_.end(), this), other->linked_.end());
}

void TComponent::Destroying() {
  if (destroying_) return;
  destroying_ = true;
  for (TComponent* c : components_) c->Destroying();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* c : components_)
    if (c->name_ == name) return c;
  return nullptr;
}

bool TComponent::SetProperty(const std::string& name, const tpf0::Value& value) {
  if (name == "Name") {
    name_ = ValueToString(name, value);
    return true;
  }
  if (name == "Tag") {
    Tag = ValueToInt(name, value);
    return true;
  }
  return false;
}

TNotifyEvent TComponent::FindMethod(const std::string&) { return {}; }

TComponent* TComponent::MethodRoot() const {
  const TComponent* c = this;
  while (c->owner_) c = c->owner_;
  return const_cast<TComponent*>(c);
}

void RegisterComponentClass(const std::string& className, ComponentFactory factory) {
  Registry()[className] = std::move(factory);
}

TComponent* CreateComponent(const std::string& className, TComponent* owner) {
  auto it = Registry().find(className);
  return it == Registry().end() ? nullptr : it->second(owner);
}

}  // namespace tk
