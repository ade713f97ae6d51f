// The skinned memo; a plain memo until skinned painting exists.
#pragma once

#include "skin/sCommonData.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TsMemo : public tk::TMemo {
public:
  using tk::TMemo::TMemo;
  const char* ClassName() const override { return "TsMemo"; }
  TsCommonData SkinData;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
};

}  // namespace skin
