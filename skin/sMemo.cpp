#include "skin/sMemo.h"

namespace skin {

bool TsMemo::SetProperty(const std::string& name, const tpf0::Value& v) {
  if (SetSkinDataProperty(SkinData, name, v)) return true;
  // The bound label is not shown in this program.
  if (name.rfind("BoundLabel.", 0) == 0) return true;
  return tk::TMemo::SetProperty(name, v);
}

}  // namespace skin
