#include "report/settings/quorEncodedLists.h"

#include "report/text/quorText.h"

namespace quor {
namespace {

std::string Join(const std::vector<std::string>& parts, char separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += separator;
    out += parts[i];
  }
  return out;
}

}  // namespace

std::vector<std::string_view> SplitText(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::string_view BareFileName(std::string_view path) {
  const size_t slash = path.find_last_of("\\/:");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::vector<AttachmentEntry> DecodeAddAttachs(std::string_view text) {
  std::vector<AttachmentEntry> entries;
  for (std::string_view entry : SplitText(text, '|')) {
    const std::vector<std::string_view> parts = SplitText(entry, '>');
    if (parts[0].empty()) continue;
    AttachmentEntry e;
    e.file = parts[0];
    e.sendAs = parts.size() > 1 && !parts[1].empty() ? parts[1] : BareFileName(parts[0]);
    if (parts.size() > 2) e.zip = parts[2];
    e.field = parts.size() > 3 && !parts[3].empty() ? std::string(parts[3]) : e.sendAs.substr(0, e.sendAs.find('.'));
    entries.push_back(std::move(e));
  }
  return entries;
}

std::string EncodeAddAttachs(const std::vector<AttachmentEntry>& entries) {
  std::vector<std::string> texts;
  for (const auto& e : entries) texts.push_back(e.file + '>' + e.sendAs + '>' + e.zip + '>' + e.field);
  return Join(texts, '|');
}

std::vector<std::pair<std::string, std::string>> DecodeAddFields(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> fields;
  for (std::string_view entry : SplitText(text, '|')) {
    const size_t eq = entry.find('=');
    const std::string_view name = TrimText(entry.substr(0, eq));
    if (name.empty()) continue;
    fields.emplace_back(name, eq == std::string_view::npos ? std::string_view() : entry.substr(eq + 1));
  }
  return fields;
}

std::string EncodeAddFields(const std::vector<std::pair<std::string, std::string>>& fields) {
  std::vector<std::string> texts;
  for (const auto& [name, value] : fields) texts.push_back(name + '=' + value);
  return Join(texts, '|');
}

bool PluginListHas(std::string_view list, std::string_view name) {
  if (name.empty()) return false;
  for (std::string_view entry : SplitText(list, '|'))
    if (SameText(entry, name)) return true;
  return false;
}

std::string PluginListSet(std::string_view list, std::string_view name, bool on) {
  if (name.empty() || PluginListHas(list, name) == on) return std::string(list);
  if (on) return list.empty() ? std::string(name) : std::string(list) + '|' + std::string(name);
  std::vector<std::string> kept;
  for (std::string_view entry : SplitText(list, '|'))
    if (!SameText(entry, name)) kept.emplace_back(entry);
  return Join(kept, '|');
}

std::vector<std::string> SplitClassList(std::string_view text) {
  std::vector<std::string> names;
  for (std::string_view entry : SplitText(text, ',')) {
    entry = TrimText(entry);
    if (!entry.empty()) names.emplace_back(entry);
  }
  return names;
}

}  // namespace quor
