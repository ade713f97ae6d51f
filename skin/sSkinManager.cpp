#include "skin/sSkinManager.h"

namespace skin {

bool TsSkinManager::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "SkinName") SkinName = tk::ValueToString(name, v);
  else if (name == "SkinDirectory") SkinDirectory = tk::ValueToString(name, v);
  else if (name == "SkinInfo") SkinInfo = tk::ValueToString(name, v);
  else if (name.rfind("MenuSupport.", 0) == 0 || name == "InternalSkins" || name == "GroupIndex" ||
           name.rfind("SkinningRules", 0) == 0 || name.rfind("AnimEffects.", 0) == 0) {
    // Kept in the layout for the skin engine.
  } else return tk::TComponent::SetProperty(name, v);
  return true;
}

}  // namespace skin
