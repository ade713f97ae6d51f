// The values the main module's settings fall back on when its settings
// resource lacks a name.
#pragma once

#include <cstddef>

#include "report/settings/quorSettingsProperty.h"

namespace quor {

inline constexpr size_t kBuiltInDefaultCount = 121;
extern const SettingsProperty BuiltInDefaults[kBuiltInDefaultCount];

}  // namespace quor
