#include "report/box/quorIdeJump.h"

#include <algorithm>
#include <cstdio>

namespace quor {

std::string IdeJumpText(const TDetailsView& view, size_t row) {
  if (row == 0 || row >= view.Rows.size()) return {};
  std::string text = view.Rows[row].Text;
  if (text.empty() || text == ">") return {};
  std::replace(text.begin(), text.end(), kCellSeparator, ' ');
  return text;
}

std::string IdeHandlerClassPrefix(uint32_t threadId) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(threadId));
  return std::string("quorToolsMsgHandlerWindow$") + hex;
}

}  // namespace quor
