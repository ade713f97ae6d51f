// Registers the skinned component classes with the layout reader.
#pragma once

namespace skin {

void RegisterSkinClasses();

}  // namespace skin
