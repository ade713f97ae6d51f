// INI documents held in memory: "[section]" lines, "key=value" lines and
// comment lines starting with ";". Sections and keys keep their file order and
// spelling; look-ups ignore case, and the first of duplicate names wins.
// Names and values are trimmed of blanks, as the system's INI reader does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace skin {

class TsIniFile {
public:
  struct Section {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Keys;
  };

  TsIniFile() = default;
  explicit TsIniFile(std::string_view text);

  const std::vector<Section>& Sections() const { return sections_; }
  const Section* FindSection(std::string_view name) const;
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;
  // A missing key or one that is not an integer gives the default.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;

private:
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> sectionIndex_;           // upper-cased name
  std::vector<std::unordered_map<std::string, size_t>> keyIndex_;  // per section
};

std::string UpperCase(std::string_view text);  // ASCII letters only

}  // namespace skin
