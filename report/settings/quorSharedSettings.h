// The settings buffer that every copy of the reporter in the process shares:
// a 40-byte block of the paging file named "QuorExceptSettingsBuf$<pid>",
// created and released under the mutex "QuorExceptSettingsMtx$<pid>", that
// holds a critical section and the list of module settings records. A
// module's resource is read once, by whichever copy asks first.
#pragma once

#include <windows.h>

#include "report/settings/quorSettingsProperty.h"

namespace quor {

struct SharedSettingsBuffer {
  uint32_t refCount;
  HANDLE mapping;  // the creating copy's handle
  CRITICAL_SECTION lock;
  ModuleSettingsRecord* head;
  uint32_t unused;  // always 0
};
static_assert(sizeof(void*) != 4 || sizeof(SharedSettingsBuffer) == 40, "the shared block is 40 bytes");

// The process heap: records made by one copy are freed by another.
[[nodiscard]] const SettingsHeap& ProcessSettingsHeap();

// True when the module has a "TQUOREXCEPT" resource of type RCDATA.
[[nodiscard]] bool HasSettingsResource(HMODULE module);

// The module's record with one more reference (read from its resource when
// it is new), or null when the shared buffer cannot be opened.
[[nodiscard]] ModuleSettingsRecord* AcquireModuleRecord(HMODULE module);
// Drops a reference; the last one unlinks and frees the record.
void ReleaseModuleRecord(ModuleSettingsRecord* record);
// Frees the record's properties and reads its module's resource again.
void ReloadModuleRecord(ModuleSettingsRecord* record);

// The shared critical section around the record list (the buffer must be held).
void LockSharedSettings();
void UnlockSharedSettings();

}  // namespace quor
