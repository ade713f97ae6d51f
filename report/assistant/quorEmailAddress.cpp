#include "report/assistant/quorEmailAddress.h"

#include <cctype>

namespace quor {

bool IsValidEmailAddress(std::string_view text) {
  if (text.empty() || text.front() == ' ' || text.back() == ' ') return false;
  if (text.front() == '.' || text.back() == '.') return false;
  const size_t at = text.rfind('@');
  if (at == std::string_view::npos || at == 0) return false;
  const size_t dot = text.find('.', at + 1);
  if (dot == std::string_view::npos || dot == at + 1) return false;
  size_t words = 0, dots = 0, ats = 0;
  for (unsigned char c : text) {
    if (std::isalnum(c) || c == '+' || c == '-' || c == '_')
      ++words;
    else if (c == '.')
      ++dots;
    else if (c == '@')
      ++ats;
    else
      return false;
  }
  return words > 0 && dots > 0 && ats == 1;
}

}  // namespace quor
