#include "skin/sSkinDirectory.h"

#include <algorithm>

#include "skin/sSkinProps.h"

namespace skin {

std::string ResolveSkinDirectory(const std::string& dir, const std::string& appFolder) {
  std::string out;
  if (dir.rfind("..", 0) == 0) {
    // Up one folder from the application's: drop its trailing separator and
    // its last name, keeping the separator before that name.
    std::string parent = appFolder;
    if (!parent.empty()) parent.pop_back();
    const size_t cut = parent.find_last_of("\\/");
    parent = cut == std::string::npos ? std::string() : parent.substr(0, cut + 1);
    out = parent + (dir.size() > 3 ? dir.substr(3) : std::string());
  } else if (dir.rfind(".\\", 0) == 0 || dir.rfind("./", 0) == 0) {
    out = appFolder + dir.substr(2);
  } else if (dir.find(':') == std::string::npos && dir.find("\\\\") == std::string::npos) {
    out = appFolder + dir;
  } else {
    out = dir;
  }
  if (out.size() == 1) return out + ":\\";  // a bare drive letter
  if (!out.empty() && out.back() == '/')
    out.back() = '\\';
  else if (out.empty() || out.back() != '\\')
    out += '\\';
  return out;
}

std::string GetSkinNames(const TsStoredSkins& internal, const std::string& directory, const TsSkinFiles& files,
                         std::vector<std::string>& names) {
  names.clear();
  std::string first;
  for (int32_t i = 0; i < internal.Count(); ++i) names.push_back(internal.Items(i).Name);
  if (internal.Count() > 0) first = internal.Items(0).Name;
  if (files.DirectoryExists(directory)) {
    for (const std::string& folder : files.SubFolders(directory)) {
      if (folder.empty() || folder[0] == '.') continue;
      if (!files.FileExists(directory + folder + "\\" + s_OptionsDat)) continue;
      names.push_back(folder);
      if (first.empty()) first = folder;
    }
  }
  std::sort(names.begin(), names.end());
  return first;
}

}  // namespace skin
