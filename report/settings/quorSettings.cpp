#include "report/settings/quorSettings.h"

#include "report/settings/quorEncodedLists.h"
#include "report/text/quorText.h"

namespace quor {

bool IQuorSettings::Plugin(std::string_view name) { return PluginListHas(TextValue("Plugins"), name); }

bool IQuorSettings::SetPlugin(std::string_view name, bool on) {
  const std::string list = UnexpandedText("Plugins");
  const std::string changed = PluginListSet(list, name, on);
  return changed == list ? PluginListHas(list, name) == on : SetTextValue("Plugins", changed);
}

std::optional<AssistantDefinition> IQuorSettings::Assistant(std::string_view name) {
  for (int i = 1;; ++i) {
    const std::string text = TextValue("Assistant" + std::to_string(i));
    if (text.empty()) return std::nullopt;
    if (!SameText(SplitText(text, '|')[0], name)) continue;
    std::optional<AssistantDefinition> d = ParseAssistantDefinition(text);
    if (d && !ScreenshotsAvailable()) DropScreenshotForm(*d);
    return d;
  }
}

}  // namespace quor
