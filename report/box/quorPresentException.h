// Presenting an exception: the assistant, or one of the three forms of the
// exception box, as the exception's presentation value says.
#pragma once

#include "report/box/quorBoxException.h"
#include "report/box/quorBoxKind.h"

namespace quor {

// Runs the exception's assistant; false when it has none (the full box
// shows instead). Set by whoever provides the assistants.
using TBoxAssistantRunner = bool (*)(IBoxException& exception);
void SetBoxAssistantRunner(TBoxAssistantRunner runner);

// Returns when the user has finished (or the process is restarted or ended).
void PresentException(IBoxException& exception);

// Shows the box until it is closed. Left through "show bug report", the box
// opens again in full with the report (AutoShowBugRep on, no countdowns).
// Left through restart or close, the last background send is waited for,
// then the process restarts or ends.
void RunExceptionBox(IBoxException& exception, TBoxKind kind, bool beep);

}  // namespace quor
