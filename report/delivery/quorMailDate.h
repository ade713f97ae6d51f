// The Date and Message-ID header values of a mail, from the current time.
#pragma once

#include <chrono>
#include <string>

namespace quor {

// RFC 5322 date in UTC: day without leading zero, English month, year and
// hh:mm:ss, zone "+0000" ("7 Mar 2024 09:05:00 +0000").
[[nodiscard]] std::string MailDate(std::chrono::system_clock::time_point time);

// "<" the time as a Windows file time (100 ns since 1601) in 16 lower-case
// hexadecimal digits "@QuorExcept>".
[[nodiscard]] std::string MessageId(std::chrono::system_clock::time_point time);

}  // namespace quor
