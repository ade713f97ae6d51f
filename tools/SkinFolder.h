// Turns skin folders (an "Options.dat" with its BMP and JPEG files) into the
// internal skins the main window's layout stores, so that one skin can be
// used both ways and both give the same run-time tables.
#pragma once

#include <string>
#include <vector>

#include "skin/sStoredSkins.h"

namespace skinfolder {

// Reads the folder (a path with "/" separators) as a stored skin named
// `name`. Raises tk::Exception (conversion, graphics or file errors).
skin::TsStoredSkin ReadSkinFolder(const std::string& folder, const std::string& name);

// The stored collection of the folders; each skin is named after its folder
// with " (internal)" appended ("skins/Neutral" -> "Neutral (internal)").
skin::TsStoredSkins ReadSkinFolders(const std::vector<std::string>& folders);

}  // namespace skinfolder
