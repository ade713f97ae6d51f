#include "skin/sSkinFiles.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace skin {
namespace {

std::filesystem::path Path(std::string path) {
#ifndef _WIN32
  for (char& c : path)
    if (c == '\\') c = '/';
#endif
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
}

}  // namespace

bool TsSkinFiles::FileExists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(Path(path), ec);
}

bool TsSkinFiles::DirectoryExists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::is_directory(Path(path), ec);
}

std::optional<std::string> TsSkinFiles::ReadFile(const std::string& path) const {
  std::ifstream in(Path(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> TsSkinFiles::SubFolders(const std::string& path) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(Path(path), ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code dirEc;
    if (!it->is_directory(dirEc)) continue;
    const std::u8string name = it->path().filename().u8string();
    names.emplace_back(reinterpret_cast<const char*>(name.data()), name.size());
  }
  return names;
}

}  // namespace skin
