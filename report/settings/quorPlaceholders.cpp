#include "report/settings/quorPlaceholders.h"

#include <cstdio>
#include <functional>

#include "report/text/quorText.h"

namespace quor {
namespace {

// Replaces every occurrence of `name` by what `value` gives, asking once.
void Replace(std::string& text, std::string_view name, const std::function<std::string()>& value) {
  size_t at = FindText(text, name);
  if (at == std::string::npos) return;
  const std::string with = value();
  while (at != std::string::npos) {
    text.replace(at, name.size(), with);
    at = FindText(text, name, at + with.size());
  }
}

std::string DateText(const LocalTime& t) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02u", t.year, t.month, t.day);
  return buf;
}

std::string TimeText(const LocalTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02u:%02u:%02u, %ums", t.hour, t.minute, t.second, t.milliseconds);
  return buf;
}

}  // namespace

std::string ExpandPlaceholders(std::string_view text, PlaceholderValues& values, std::string_view exceptMsg,
                               std::string_view bugReport) {
  std::string out(text);
  if (out.find('%') == std::string::npos) return out;
  Replace(out, "%appname%", [&] { return values.AppName(); });
  Replace(out, "%modname%", [&] { return values.ModuleName(); });
  Replace(out, "%appversion%", [&] { return values.AppVersion(); });
  Replace(out, "%modversion%", [&] { return values.ModuleVersion(); });
  Replace(out, "%exceptMsg%", [&] { return std::string(exceptMsg.empty() ? "Unknown" : exceptMsg); });
  Replace(out, "%bugReport%", [&] { return std::string(bugReport); });
  Replace(out, "%LF%", [] { return std::string("\r\n"); });
  // One clock reading serves all three, so %date% and %time% agree.
  LocalTime now{};
  bool haveNow = false;
  auto clock = [&]() -> const LocalTime& {
    if (!haveNow) now = values.Now(), haveNow = true;
    return now;
  };
  Replace(out, "%date%", [&] { return DateText(clock()); });
  Replace(out, "%time%", [&] { return TimeText(clock()); });
  Replace(out, "%datetime%", [&] { return DateText(clock()) + ", " + TimeText(clock()); });
  return out;
}

std::string VersionPlaceholderText(std::string_view versionText, const uint16_t* fileVersion) {
  if (!versionText.empty()) return std::string(versionText);
  if (!fileVersion) return "?";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", fileVersion[0], fileVersion[1], fileVersion[2], fileVersion[3]);
  return buf;
}

}  // namespace quor
