// Number and time forms used throughout the reports: addresses as eight
// lower-case hexadecimal digits, ids in the "$" form ("$" and lower-case
// digits without leading zeros) and the report's date and time forms.
#pragma once

#include <cstdint>
#include <string>

namespace quor {

// "0040a1f0".
[[nodiscard]] std::string Hex8(uint32_t value);

struct TLocalTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, Milliseconds = 0;
};

// "2024-05-17, 14:03:09, 42ms" (the "date/time" header value).
[[nodiscard]] std::string ReportDateTimeText(const TLocalTime& t);
// "2024-05-17 14:03" (the executable's or module's file time).
[[nodiscard]] std::string FileDateTimeText(const TLocalTime& t);

}  // namespace quor
