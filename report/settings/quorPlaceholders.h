// Placeholders in the reporter's texts, replaced without regard to case in
// this order: %appname%, %modname%, the application and module version
// placeholders, %exceptMsg%, %bugReport%, %LF%, %date%, %time%, %datetime%.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

struct LocalTime {
  uint16_t year, month, day, hour, minute, second, milliseconds;
};

// What the placeholders stand for. The versions are asked for only when
// their placeholder occurs.
class PlaceholderValues {
public:
  virtual std::string AppName() = 0;     // executable's file name without folder
  virtual std::string ModuleName() = 0;  // the module's file name without folder
  virtual std::string AppVersion() = 0;
  virtual std::string ModuleVersion() = 0;
  virtual LocalTime Now() = 0;

protected:
  ~PlaceholderValues() = default;
};

// An empty exception message reads "Unknown".
[[nodiscard]] std::string ExpandPlaceholders(std::string_view text, PlaceholderValues& values,
                                             std::string_view exceptMsg, std::string_view bugReport);

// A version text for the version placeholders: `versionText` when not empty,
// otherwise the file version as "major.minor.release.build", or "?" when
// `fileVersion` is null (the file has none).
[[nodiscard]] std::string VersionPlaceholderText(std::string_view versionText, const uint16_t* fileVersion);

}  // namespace quor
