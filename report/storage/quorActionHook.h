// What the exception box asks before it acts on one of its buttons: the
// restart and close buttons complete the report first, the send, save and
// print buttons first show the assistant their setting names. The answer
// "handled" tells the box to do nothing more for that button.
#pragma once

#include <windows.h>

#include <cstdint>

#include "report/box/quorBoxAction.h"
#include "report/settings/quorAssistantDefinition.h"

namespace quor {

class TIQuorException;

// Shows `assistant` modally over `owner`; when the user finishes it with OK
// its answers go into the report. Either way the form cache keeps what the
// forms closed with OK held. True: finished with OK.
using TAssistantRunner = bool (*)(const AssistantDefinition& assistant, HWND owner, TIQuorException& exception);

// The assistants register their runner here; without one no assistant is
// shown, as with an assistant name that has no definition.
void SetAssistantRunner(TAssistantRunner runner);

// Called by the exception box for every button before it acts. True: the
// action counts as handled (the user cancelled its assistant).
[[nodiscard]] bool ActionHook(int32_t action, HWND box, TIQuorException& exception);

}  // namespace quor
