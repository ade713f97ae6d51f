// Skinned labels: the effect label and the sticky label. Plain labels until
// skinned text painting exists.
#pragma once

#include "skin/sCommonData.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TsLabelFX : public tk::TLabel {
public:
  explicit TsLabelFX(tk::TComponent* owner) : tk::TLabel(owner) { Transparent = true; }
  const char* ClassName() const override { return "TsLabelFX"; }
  TsCommonData SkinData;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
};

class TsStickyLabel : public tk::TLabel {
public:
  explicit TsStickyLabel(tk::TComponent* owner) : tk::TLabel(owner) { Transparent = true; }
  const char* ClassName() const override { return "TsStickyLabel"; }
  TsCommonData SkinData;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
};

}  // namespace skin
