#include "report/handling/quorHandlingThreads.h"

#include <atomic>

#include "report/text/quorInternalErrors.h"

namespace quor {

namespace {

thread_local bool t_handling = false;
std::atomic<uint32_t> g_failures{0};

}  // namespace

void MarkHandlingThread() { t_handling = true; }

bool IsHandlingThread() { return t_handling; }

void RecordInternalFailure() {
  ++g_failures;
  RecordInternalError("HandleException", "an exception in a thread of the reporter was not handled");
}

uint32_t InternalFailureCount() { return g_failures; }

}  // namespace quor
