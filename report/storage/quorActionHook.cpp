#include "report/storage/quorActionHook.h"

#include <atomic>

#include "report/handling/quorExceptObject.h"

namespace quor {

namespace {

std::atomic<TAssistantRunner> g_assistantRunner{nullptr};

// The setting that names the assistant of an action, or null.
const char* AssistantSetting(int32_t action) {
  static const struct {
    int32_t Action;
    const char* Setting;
  } kAssistants[] = {
      {BoxActionSend, "SendAssis"},
      {BoxActionSave, "SaveAssis"},
      {BoxActionPrint, "PrintAssis"},
  };
  for (const auto& a : kAssistants)
    if (a.Action == action) return a.Setting;
  return nullptr;
}

// False when the user cancelled the assistant.
bool RunAssistant(const char* setting, HWND box, TIQuorException& e) {
  const TAssistantRunner runner = g_assistantRunner;
  const std::string name = e.TextValue(setting);
  if (!runner || name.empty()) return true;
  const std::optional<AssistantDefinition> assistant = e.Assistant(name);
  if (!assistant) return true;
  // A topmost box would cover the assistant it owns.
  const bool topmost = GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST;
  const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  if (topmost) SetWindowPos(box, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
  const bool ok = runner(*assistant, box, e);
  if (topmost) SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, keep);
  return ok;
}

}  // namespace

void SetAssistantRunner(TAssistantRunner runner) { g_assistantRunner = runner; }

bool ActionHook(int32_t action, HWND box, TIQuorException& e) {
  if (action == BoxActionRestart || action == BoxActionClose) {
    // The process ends next: whoever waits for the complete report gets it now.
    if (e.CallbackWantsComplete()) (void)e.BugReport(true);
    return false;
  }
  const char* setting = AssistantSetting(action);
  return setting && box && !RunAssistant(setting, box, e);
}

}  // namespace quor
