// Packs files from disk into a zip archive (Windows).
#pragma once

#include <string>
#include <vector>

namespace quor {

// Writes `archive` (created or overwritten, not shared while written) with
// the files files[0..lastIndex], each stored under sendAsNames[i] when that is
// given and not empty, else under its file name without the folder, with its
// last-write time in local time and its Windows attributes. A file that
// cannot be opened or read whole is skipped. True when at least one file was
// added and the archive was written completely; otherwise the archive file is
// deleted and the result is false. Paths are in the system code page.
[[nodiscard]] bool WriteZipArchive(const std::string& archive, const std::vector<std::string>& files, int lastIndex,
                                   const std::vector<std::string>& sendAsNames);

}  // namespace quor
