// The check of the e-mail address a user types into the contact form.
#pragma once

#include <string_view>

namespace quor {

// Valid: not empty, no blank at either end, an "@" after the first
// character with a "." somewhere after the last "@" but not right after
// it, no "." at either end, and nothing but letters, digits, "+", "-", "_"
// (at least one), "." (at least one) and that one "@".
[[nodiscard]] bool IsValidEmailAddress(std::string_view text);

}  // namespace quor
