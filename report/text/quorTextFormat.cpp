#include "report/text/quorTextFormat.h"

#include <cstdio>

namespace quor {

std::string Hex8(uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", value);
  return text;
}

std::string ReportDateTimeText(const TLocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d, %02d:%02d:%02d, %dms", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                t.Second, t.Milliseconds);
  return text;
}

std::string FileDateTimeText(const TLocalTime& t) {
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.Year, t.Month, t.Day, t.Hour, t.Minute);
  return text;
}

}  // namespace quor
