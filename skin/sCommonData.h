// The skin data every skinned control publishes as SkinData: for now the
// section name the control is drawn with.
#pragma once

#include <string>

#include "toolkit/Tpf0.h"

namespace skin {

class TsCommonData {
public:
  std::string SkinSection;
  // Sets a SkinData property given relative to SkinData ("SkinSection").
  bool SetProperty(const std::string& name, const tpf0::Value& value);
};

// Handles "SkinData.<name>" for a control; false when the name is not one.
bool SetSkinDataProperty(TsCommonData& data, const std::string& name, const tpf0::Value& value);

}  // namespace skin
