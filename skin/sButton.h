// The skinned push button; a plain button until skinned painting exists.
#pragma once

#include "skin/sCommonData.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TsButton : public tk::TButton {
public:
  using tk::TButton::TButton;
  const char* ClassName() const override { return "TsButton"; }
  TsCommonData SkinData;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override {
    return SetSkinDataProperty(SkinData, name, value) || tk::TButton::SetProperty(name, value);
  }
};

}  // namespace skin
