#include "toolkit/FileNames.h"

#include <algorithm>
#include <string_view>

namespace tk {

namespace {

bool IsControlChar(char c) { return static_cast<unsigned char>(c) < 32; }

size_t NameStart(const std::string& name) {
  const size_t sep = name.find_last_of("\\:");
  return sep == std::string::npos ? 0 : sep + 1;
}

}  // namespace

bool ValidFileName(const std::string& name) {
  return !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
    return IsControlChar(c) || std::string_view("<>\"|*?/").find(c) != std::string_view::npos;
  });
}

std::string ExtractFilePath(const std::string& name) { return name.substr(0, NameStart(name)); }

std::string ExtractFileName(const std::string& name) { return name.substr(NameStart(name)); }

std::string OneLineText(const std::string& text) {
  std::string out = text;
  out.erase(std::remove_if(out.begin(), out.end(), IsControlChar), out.end());
  return out;
}

}  // namespace tk
