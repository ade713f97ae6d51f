#include "report/handling/quorExceptionHistory.h"

namespace quor {

void RecordException(TExceptionHistory& history, uint64_t now) {
  for (size_t i = history.size() - 1; i > 0; --i) history[i] = history[i - 1];
  history[0] = now;
}

bool AutoActionDue(int32_t setting, const TExceptionHistory& history, uint64_t now) {
  if (setting <= 0) return false;
  if (setting == 1) return true;
  for (uint64_t t : history)
    if (t == 0 || t > now || now - t > uint64_t(setting)) return false;
  return true;
}

}  // namespace quor
