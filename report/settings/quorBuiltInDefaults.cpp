#include "report/settings/quorBuiltInDefaults.h"

#include "report/settings/quorSettingsNames.h"

namespace quor {

#define QUOR_DEFAULT_BOOL(N, D) {#N, kKindBoolean, D, 0, nullptr},
#define QUOR_DEFAULT_INT(N, D) {#N, kKindInteger, 0, D, nullptr},
#define QUOR_DEFAULT_TEXT(N, D) {#N, kKindText, 0, 0, D},
#define QUOR_DEFAULT(KIND, N, DEFAULT) QUOR_DEFAULT_##KIND(N, DEFAULT)

// The bound comes from the lists; a count in the header that disagrees with
// them does not compile.
const SettingsProperty BuiltInDefaults[] = {
    QUOR_MODULE_SETTINGS(QUOR_DEFAULT) QUOR_EXCEPTION_SETTINGS(QUOR_DEFAULT) QUOR_LIST_SETTINGS(QUOR_DEFAULT)
        QUOR_FILTER_GROUP_SETTINGS(QUOR_DEFAULT)
    // The offset of the module's version variable, read by name only: no accessor.
    {"VersionVar", kKindInteger, 0, 0, nullptr},
};

#undef QUOR_DEFAULT_BOOL
#undef QUOR_DEFAULT_INT
#undef QUOR_DEFAULT_TEXT
#undef QUOR_DEFAULT

}  // namespace quor
