// The process-wide list of bug report plug-ins: named producers of a text
// that becomes a section of its own or a header field. The setting Plugins
// ("modules|processes|hardware") names the ones a report uses, in its order.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

struct ReportPlugin {
  std::string name, description;
  // The plug-in's text; `exception` is the report's exception object (or none).
  std::function<std::string(void* exception)> produce;
  bool ownSection = true;  // a section named after the plug-in, else a header field
};

// Appends the plug-in (no check for an existing name).
void AddReportPlugin(ReportPlugin plugin);
// Removes the first plug-in of exactly that name.
void RemoveReportPlugin(std::string_view name);

// A copy of the plug-ins the setting names, in the setting's order (names
// without regard to case); registering meanwhile does not disturb it.
[[nodiscard]] std::vector<ReportPlugin> ReportPluginsFor(std::string_view pluginsSetting);

}  // namespace quor
