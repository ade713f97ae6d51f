#include "skin/sSkinProvider.h"

namespace skin {

bool TsSkinProvider::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  if (name.rfind("AddedTitle.", 0) == 0 || name == "TitleButtons" || name == "MakeSkinMenu" || name == "ShowAppIcon" ||
      name.rfind("GripMode", 0) == 0)
    return true;  // title-bar settings, kept for form skinning
  return tk::TComponent::SetProperty(name, v);
}

}  // namespace skin
