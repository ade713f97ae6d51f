// The skin manager: the root of the skin engine. The main window's layout
// stores its skin settings; activating skins comes with the skin engine.
#pragma once

#include <string>

#include "toolkit/Classes.h"

namespace skin {

class TsSkinManager : public tk::TComponent {
public:
  using tk::TComponent::TComponent;
  const char* ClassName() const override { return "TsSkinManager"; }

  std::string SkinName;
  std::string SkinDirectory = "c:\\Skins";
  std::string SkinInfo;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
};

}  // namespace skin
