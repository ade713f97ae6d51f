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

// A program's up time: the duration text of whole seconds, or below one
// second "<milliseconds> milliseconds".
[[nodiscard]] std::string ElapsedText(int64_t milliseconds);

// "<available>/<total> MB (free/total)", each rounded to whole megabytes.
[[nodiscard]] std::string PhysicalMemoryText(uint64_t availableBytes, uint64_t totalBytes);

// "<width>x<height>, <bits> bit".
[[nodiscard]] std::string ScreenModeText(int width, int height, int bitsPerPixel);

// "(<DRIVE>:) <free size>" for one drive.
[[nodiscard]] std::string DriveFreeText(char drive, int64_t freeBytes, char separator);

// The value of the header's processor item: the name for one processor,
// "<count>x <name>" for more; empty without a name.
[[nodiscard]] std::string ProcessorsText(int count, const std::string& name);

// The client name a terminal-session query returned: its first length - 1
// bytes (the length counts the terminating NUL); empty for a length of 1 or
// less.
[[nodiscard]] std::string SessionClientName(const char* data, uint32_t length);

}  // namespace quor
