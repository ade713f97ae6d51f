#include "report/box/quorDetailsLines.h"

#include <cctype>

namespace quor {

std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t from = 0;
  for (;;) {
    const size_t lf = text.find('\n', from);
    std::string_view line = text.substr(from, lf == std::string_view::npos ? std::string_view::npos : lf - from);
    if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (lf == std::string_view::npos) return lines;
    from = lf + 1;
  }
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

namespace {
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7F'; }
}  // namespace

std::string_view TrimCell(std::string_view s) {
  while (!s.empty() && IsBlankOrControl(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankOrControl(s.back())) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitAt(std::string_view s, char separator, size_t count) {
  std::vector<std::string_view> pieces;
  while (count > 1 && pieces.size() + 1 < count) {
    const size_t at = s.find(separator);
    if (at == std::string_view::npos) break;
    pieces.push_back(s.substr(0, at));
    s.remove_prefix(at + 1);
  }
  if (count > 0) pieces.push_back(s);
  return pieces;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

}  // namespace quor
