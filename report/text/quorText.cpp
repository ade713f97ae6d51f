#include "report/text/quorText.h"

namespace quor {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

bool SameAt(std::string_view text, size_t at, std::string_view what) {
  for (size_t i = 0; i < what.size(); ++i)
    if (Lower(text[at + i]) != Lower(what[i])) return false;
  return true;
}

}  // namespace

std::string_view TrimText(std::string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return text.substr(begin, end - begin);
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && SameAt(a, 0, b); }

size_t FindText(std::string_view text, std::string_view what, size_t from) {
  if (what.empty() || what.size() > text.size()) return std::string_view::npos;
  for (size_t at = from; at + what.size() <= text.size(); ++at)
    if (SameAt(text, at, what)) return at;
  return std::string_view::npos;
}

}  // namespace quor
