// The file system as skin loading sees it. Paths are written the Windows
// way (backslashes, "c:\Skins\Name\Options.dat"); outside Windows the
// backslashes are read as slashes, so that the same loader runs natively.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace skin {

class TsSkinFiles {
public:
  virtual ~TsSkinFiles() = default;
  virtual bool FileExists(const std::string& path) const;
  virtual bool DirectoryExists(const std::string& path) const;
  // The whole file, or nothing when it cannot be read.
  virtual std::optional<std::string> ReadFile(const std::string& path) const;
  // Names of the sub-folders of a folder, in no particular order.
  virtual std::vector<std::string> SubFolders(const std::string& path) const;
};

}  // namespace skin
