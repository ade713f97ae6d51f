// The skinned panel; drawn as a plain panel until skinned painting exists.
#pragma once

#include "skin/sCommonData.h"
#include "toolkit/ExtCtrls.h"

namespace skin {

class TsPanel : public tk::TPanel {
public:
  using tk::TPanel::TPanel;
  const char* ClassName() const override { return "TsPanel"; }
  TsCommonData SkinData;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override {
    return SetSkinDataProperty(SkinData, name, value) || tk::TPanel::SetProperty(name, value);
  }
};

}  // namespace skin
