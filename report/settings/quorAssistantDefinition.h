// An assistant definition setting: "name|title|form|form|...".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

struct AssistantDefinition {
  std::string name;
  std::string title;
  std::vector<std::string> forms;  // form resource names, in order
};

// Empty text or no form: none.
[[nodiscard]] std::optional<AssistantDefinition> ParseAssistantDefinition(std::string_view text);

// Removes the screenshot form ("ScrShotForm", without regard to case).
void DropScreenshotForm(AssistantDefinition& definition);

}  // namespace quor
