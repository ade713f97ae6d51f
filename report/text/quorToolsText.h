// Size and duration texts of the report header.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

// "1 day 1 hour ", "2 hours 1 minute ", "45 seconds ": at most two units,
// the larger first, each followed by a blank; 0 or less gives "".
[[nodiscard]] std::string DurationText(int64_t seconds);

// "1023 Bytes", "1,50 KB", "1,00 MB", "2,00 GB": two decimals, truncated,
// with `separator` as the decimal separator.
[[nodiscard]] std::string ByteSizeText(int64_t size, char separator);

}  // namespace quor
