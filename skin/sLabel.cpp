#include "skin/sLabel.h"

namespace skin {

bool TsLabelFX::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  // Shadow and effect settings are kept for the skinned text painter.
  if (name.rfind("Shadow.", 0) == 0 || name == "Angle" || name == "Kind.KindType" || name == "Kind.Color") return true;
  return tk::TLabel::SetProperty(name, v);
}

bool TsStickyLabel::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  if (name == "AttachTo" || name == "Gap" || name == "AlignTo") return true;  // attached to no control here
  return tk::TLabel::SetProperty(name, v);
}

}  // namespace skin
