#include "report/settings/quorAssistantDefinition.h"

#include <algorithm>

#include "report/settings/quorEncodedLists.h"
#include "report/text/quorText.h"

namespace quor {

std::optional<AssistantDefinition> ParseAssistantDefinition(std::string_view text) {
  const std::vector<std::string_view> parts = SplitText(text, '|');
  if (parts.size() < 3) return std::nullopt;
  AssistantDefinition d{std::string(parts[0]), std::string(parts[1]), {}};
  for (size_t i = 2; i < parts.size(); ++i)
    if (!parts[i].empty()) d.forms.emplace_back(parts[i]);
  if (d.forms.empty()) return std::nullopt;
  return d;
}

void DropScreenshotForm(AssistantDefinition& definition) {
  auto& forms = definition.forms;
  forms.erase(
      std::remove_if(forms.begin(), forms.end(), [](const std::string& f) { return SameText(f, "ScrShotForm"); }),
      forms.end());
}

}  // namespace quor
