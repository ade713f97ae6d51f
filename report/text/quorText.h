// Small text helpers of the reporter's single-byte strings.
#pragma once

#include <cstddef>
#include <string_view>

namespace quor {

// Blanks and control characters (up to ' ') removed at both ends.
[[nodiscard]] std::string_view TrimText(std::string_view text);

// ASCII comparison without regard to case, as settings and field names compare.
[[nodiscard]] bool SameText(std::string_view a, std::string_view b);

// The first position of `what` in `text` at or after `from`, ignoring ASCII
// case; npos when absent or `what` is empty.
[[nodiscard]] size_t FindText(std::string_view text, std::string_view what, size_t from = 0);

}  // namespace quor
