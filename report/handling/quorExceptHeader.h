// The header of a bug report: time, machine, user, system, program, versions,
// the call-stack check sums and the exception, each item computed in its own
// guard and left out when it fails or is empty.
#pragma once

#include "report/text/quorReportText.h"

namespace quor {

class TIQuorException;

[[nodiscard]] TReportFields BuildReportHeader(TIQuorException& exception);

// The number of report headers built in this process so far.
[[nodiscard]] uint64_t ExceptionNumber();

}  // namespace quor
