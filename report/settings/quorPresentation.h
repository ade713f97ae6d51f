// How an exception is presented to the user: the value of a filter group's
// ShowCfg setting, as stored in the settings resource.
#pragma once

#include <cstdint>

namespace quor {

enum TPresentation : int32_t {
  kPresentFullBox = 0,    // the exception box in its full form
  kPresentAssistant = 1,  // the assistant the group names (the full box without one)
  kPresentDetailBox = 2,  // the exception box in its detail form
  kPresentSimpleBox = 3,  // the exception box in its simple form
  kPresentNothing = 4,    // no box: the report is only stored
};

}  // namespace quor
