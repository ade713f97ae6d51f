#include "skin/sCommonData.h"

#include "toolkit/Classes.h"

namespace skin {

bool TsCommonData::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (name == "SkinSection") SkinSection = tk::ValueToString("SkinData.SkinSection", v);
  else if (name == "CustomColor" || name == "CustomFont" || name == "COC") {
    // Stored flags of controls that keep their own colour or font.
  } else return false;
  return true;
}

bool SetSkinDataProperty(TsCommonData& data, const std::string& name, const tpf0::Value& v) {
  static const std::string kPrefix = "SkinData.";
  return name.rfind(kPrefix, 0) == 0 && data.SetProperty(name.substr(kPrefix.size()), v);
}

}  // namespace skin
