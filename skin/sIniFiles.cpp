#include "skin/sIniFiles.h"

#include "toolkit/SysUtils.h"

namespace skin {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

constexpr size_t kNone = static_cast<size_t>(-1);

}  // namespace

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

TsIniFile::TsIniFile(std::string_view text) {
  size_t pos = 0, current = kNone;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      const std::string name(
          Trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
      // A repeated section adds to the first one of that name.
      const auto [it, added] = sectionIndex_.emplace(UpperCase(name), sections_.size());
      if (added) {
        sections_.push_back({name, {}});
        keyIndex_.emplace_back();
      }
      current = it->second;
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || current == kNone) continue;
    std::string key(Trim(line.substr(0, eq)));
    if (keyIndex_[current].emplace(UpperCase(key), sections_[current].Keys.size()).second)
      sections_[current].Keys.emplace_back(std::move(key), std::string(Trim(line.substr(eq + 1))));
  }
}

const TsIniFile::Section* TsIniFile::FindSection(std::string_view name) const {
  const auto it = sectionIndex_.find(UpperCase(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::string> TsIniFile::Find(std::string_view section, std::string_view key) const {
  const auto s = sectionIndex_.find(UpperCase(section));
  if (s == sectionIndex_.end()) return std::nullopt;
  const auto k = keyIndex_[s->second].find(UpperCase(key));
  if (k == keyIndex_[s->second].end()) return std::nullopt;
  return sections_[s->second].Keys[k->second].second;
}

std::string TsIniFile::ReadString(std::string_view section, std::string_view key, const std::string& def) const {
  return Find(section, key).value_or(def);
}

int32_t TsIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  const auto v = Find(section, key);
  return v ? tk::StrToIntDef(*v, def) : def;
}

}  // namespace skin
