// Finishing the automatic actions of one exception before the application
// goes on, restarts or closes: called by the handling pipeline and by the
// exception box's restart and close buttons.
#pragma once

namespace quor {

class TIQuorException;

// Completes the report when a registered callback wants the complete one,
// then appends it to the bug report file if AutoSave asks for it (once per
// exception; with AutoSaveIfNotSent only when it was not sent). `wait`: the
// caller is about to end the process, so a running automatic send has to
// finish first.
void FinishAutoActions(TIQuorException& exception, bool wait);

}  // namespace quor
