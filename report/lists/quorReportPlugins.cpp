#include "report/lists/quorReportPlugins.h"

#include <algorithm>
#include <mutex>

#include "report/text/quorText.h"

namespace quor {

namespace {

std::mutex& Lock() {
  static std::mutex lock;
  return lock;
}

std::vector<ReportPlugin>& Plugins() {
  static std::vector<ReportPlugin> plugins;
  return plugins;
}

}  // namespace

void AddReportPlugin(ReportPlugin plugin) {
  const std::lock_guard<std::mutex> hold(Lock());
  Plugins().push_back(std::move(plugin));
}

void RemoveReportPlugin(std::string_view name) {
  const std::lock_guard<std::mutex> hold(Lock());
  std::vector<ReportPlugin>& plugins = Plugins();
  const auto it = std::find_if(plugins.begin(), plugins.end(), [&](const ReportPlugin& p) { return p.name == name; });
  if (it != plugins.end()) plugins.erase(it);
}

std::vector<ReportPlugin> ReportPluginsFor(std::string_view setting) {
  std::vector<ReportPlugin> chosen;
  const std::lock_guard<std::mutex> hold(Lock());
  size_t start = 0;
  while (start <= setting.size()) {
    const size_t bar = std::min(setting.find('|', start), setting.size());
    const std::string_view name = setting.substr(start, bar - start);
    for (const ReportPlugin& p : Plugins())
      if (!name.empty() && SameText(p.name, name)) {
        chosen.push_back(p);
        break;
      }
    start = bar + 1;
  }
  return chosen;
}

}  // namespace quor
