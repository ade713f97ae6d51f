#include "report/text/quorToolsText.h"

#include <cctype>

namespace quor {

namespace {

constexpr int64_t kMillisecondsPerSecond = 1000;
constexpr uint64_t kMegabyte = 0x100000, kHalfMegabyte = kMegabyte / 2;

void Unit(std::string& text, int64_t n, const char* unit) {
  if (n == 0) return;
  text += std::to_string(n) + " " + unit + (n == 1 ? " " : "s ");
}

}  // namespace

std::string DurationText(int64_t seconds) {
  if (seconds < 0) seconds = 0;
  const int64_t days = seconds / 86400, hours = seconds / 3600 % 24, minutes = seconds / 60 % 60, secs = seconds % 60;
  std::string text;
  if (days != 0) {
    Unit(text, days, "day");
    Unit(text, hours, "hour");
  } else if (hours != 0) {
    Unit(text, hours, "hour");
    Unit(text, minutes, "minute");
  } else {
    Unit(text, minutes, "minute");
    Unit(text, secs, "second");
  }
  return text;
}

std::string ByteSizeText(int64_t size, char separator) {
  uint64_t s = size < 0 ? uint64_t(0) - uint64_t(size) : uint64_t(size);
  if (s < 1024) return std::to_string(s) + " Bytes";
  uint64_t hundredths;
  const char* unit;
  if (s < 0x100000) {
    hundredths = s * 100 / 1024, unit = " KB";
  } else if (s < 0x40000000) {
    hundredths = (s / 1024) * 100 / 1024, unit = " MB";
  } else {
    hundredths = ((s / 1024) / 1024) * 100 / 1024, unit = " GB";
  }
  std::string digits = std::to_string(hundredths);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  digits.insert(digits.size() - 2, 1, separator);
  return digits + unit;
}

std::string ElapsedText(int64_t milliseconds) {
  const std::string text = DurationText(milliseconds / kMillisecondsPerSecond);
  return text.empty() ? std::to_string(milliseconds < 0 ? 0 : milliseconds) + " milliseconds" : text;
}

std::string PhysicalMemoryText(uint64_t availableBytes, uint64_t totalBytes) {
  // Rounded to the nearest megabyte without adding first, which would wrap
  // for the largest counts.
  const auto megabytes = [](uint64_t bytes) {
    return std::to_string(bytes / kMegabyte + (bytes % kMegabyte >= kHalfMegabyte ? 1 : 0));
  };
  return megabytes(availableBytes) + "/" + megabytes(totalBytes) + " MB (free/total)";
}

std::string ScreenModeText(int width, int height, int bitsPerPixel) {
  return std::to_string(width) + "x" + std::to_string(height) + ", " + std::to_string(bitsPerPixel) + " bit";
}

std::string DriveFreeText(char drive, int64_t freeBytes, char separator) {
  return std::string("(") + char(std::toupper(static_cast<unsigned char>(drive))) + ":) " +
         ByteSizeText(freeBytes, separator);
}

std::string ProcessorsText(int count, const std::string& name) {
  if (name.empty() || count <= 1) return name;
  return std::to_string(count) + "x " + name;
}

std::string SessionClientName(const char* data, uint32_t length) {
  return data && length > 1 ? std::string(data, length - 1) : std::string();
}

}  // namespace quor
