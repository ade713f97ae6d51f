// The Save As dialog in which the user picks the file for a bug report.
#pragma once

#include <windows.h>

#include <string>

namespace quor {

// Opens the dialog owned by `parent`, titled `title`, in the user's desktop
// folder (created if missing; the executable's folder when there is none),
// proposing `proposedName` as "*.txt". Read-only files are refused. Empty
// when the user cancels.
[[nodiscard]] std::string ChooseSaveFile(HWND parent, const std::string& title, const std::string& proposedName);

}  // namespace quor
