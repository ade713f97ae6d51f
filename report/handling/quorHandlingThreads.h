// The threads the handling itself waits for: the handler thread and the
// report-building threads. Such a thread never hands a report to the
// handler thread (it would wait for the handler, which may be waiting for
// it); what goes wrong in it is counted as an internal failure instead.
#pragma once

#include <cstdint>

namespace quor {

// Called first thing in such a thread.
void MarkHandlingThread();
[[nodiscard]] bool IsHandlingThread();

// A report that a handling thread could not make, counted.
void RecordInternalFailure();
[[nodiscard]] uint32_t InternalFailureCount();

}  // namespace quor
