// Where external skins live: the manager's SkinDirectory made absolute.
#pragma once

#include <string>
#include <vector>

#include "skin/sSkinFiles.h"
#include "skin/sStoredSkins.h"

namespace skin {

// appFolder is the executable's folder with a trailing backslash.
//   "..\Skins" -> the parent of appFolder + "Skins\"
//   ".\Skins", "./Skins", "Skins" -> appFolder + "Skins\"
//   "D:\S/" -> "D:\S\";  "\\srv\s" stays; a bare drive letter "C" (only
//   possible with an empty appFolder) -> "C:\"
std::string ResolveSkinDirectory(const std::string& skinDirectory, const std::string& appFolder);

// The names of all internal skins and of every sub-folder of the resolved
// directory that holds "Options.dat" (folders starting with "." skipped),
// sorted. Returns the first internal skin's name, or else the first such
// folder found, or else an empty name.
std::string GetSkinNames(const TsStoredSkins& internal, const std::string& directory, const TsSkinFiles& files,
                         std::vector<std::string>& names);

}  // namespace skin
