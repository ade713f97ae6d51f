// Thread creation and work-item queueing hooked in every loaded module's
// import table, so that every thread and every work item of the process runs
// inside a reporting frame: an exception that escapes it is reported (source
// 16), the thread's record is removed and the thread ends (a work item
// returns to its pool); the process goes on. Threads started through the C++
// library pass the hook too: its start routine calls the platform through
// the C runtime's own import.
#pragma once

#include <cstdint>

namespace quor {

// The number of import-table entries redirected; the patches are undone
// with the others at shutdown (UndoPatches).
uint32_t HookThreadCreation();

}  // namespace quor
