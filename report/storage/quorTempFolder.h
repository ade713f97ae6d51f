// The reporter's temporary folder: the platform's temporary folder, then the
// executable's file name without extension and ".QuorExcept". Files written
// for a report (screenshots, attachments, archives) go there; it is emptied
// and removed at start-up and at the start of every exception handling.
#pragma once

#include <string>

namespace quor {

// The folder's path, ending with "\"; the folder is created if missing.
[[nodiscard]] std::string TempFolder();
// Deletes every file in the folder, then the folder itself.
void ClearTempFolder();

}  // namespace quor
