// The assistants of an exception's report: the runner the box's action
// hook calls before sending, saving or printing.
#pragma once

#include <windows.h>

#include "report/settings/quorAssistantDefinition.h"

namespace quor {

class TIQuorException;

// Shows the assistant over `owner`; true when the user finished it (its
// answers are then in the report).
bool RunExceptionAssistant(const AssistantDefinition& assistant, HWND owner, TIQuorException& exception);

// Presentation 1: the assistant the exception's filter group names, shown
// instead of the box; false when there is none (the full box shows).
bool RunPresentationAssistant(TIQuorException& exception);

}  // namespace quor
