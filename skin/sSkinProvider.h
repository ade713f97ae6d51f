// The per-form skinning component; it does nothing until form skinning exists.
#pragma once

#include "skin/sCommonData.h"
#include "toolkit/Classes.h"

namespace skin {

class TsSkinProvider : public tk::TComponent {
public:
  using tk::TComponent::TComponent;
  const char* ClassName() const override { return "TsSkinProvider"; }
  TsCommonData SkinData;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
};

}  // namespace skin
