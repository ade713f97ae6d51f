// Which filter group (F1, F2 or the general group Gn) an exception falls
// into, and what that group decides for its report.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/settings/quorPresentation.h"
#include "report/settings/quorSettings.h"

namespace quor {

struct FilterGroupChoice {
  char group[3];               // "F1", "F2" or "Gn"
  bool createBugReport;        // not NoBugRep
  bool createScreenshot;       // not NoScrShot and ScrShotDepth > 0
  bool pauseThreads;           // PauseThreads and not NoSuspend
  bool callHandlers;           // not NoHandlers
  TPresentation presentation;  // ShowCfg
  std::string assistant;       // Assis
};

// `classChain` holds the exception object's class name and its ancestors'
// (empty for freezes and exceptions without an object, which take Gn).
// Class names compare without regard to case, as the language's identifiers do.
[[nodiscard]] FilterGroupChoice FilterGroup(IQuorModuleSettings& settings, const std::vector<std::string>& classChain);

}  // namespace quor
