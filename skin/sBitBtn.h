// The skinned bitmap button; a plain glyph button until skinned painting exists.
#pragma once

#include "skin/sCommonData.h"
#include "toolkit/Buttons.h"

namespace skin {

class TsBitBtn : public tk::TBitBtn {
public:
  using tk::TBitBtn::TBitBtn;
  const char* ClassName() const override { return "TsBitBtn"; }
  TsCommonData SkinData;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override {
    return SetSkinDataProperty(SkinData, name, value) || tk::TBitBtn::SetProperty(name, value);
  }
};

}  // namespace skin
