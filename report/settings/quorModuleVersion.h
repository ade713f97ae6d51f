// Version texts of modules: the text a module's VersionVar points to, and
// the file version from its version resource.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace quor {

// The zero-terminated text that the pointer at module base + offset points
// to; empty when offset is 0 or the memory cannot be read.
[[nodiscard]] std::string ReadVersionVariable(HMODULE module, int32_t offset);

// "major.minor.release.build" of the file; empty when it has no version.
[[nodiscard]] std::string FileVersionOfPath(const std::string& path);

// "major.minor.release.build" of the module's file, or "?" without one.
[[nodiscard]] std::string FileVersionText(HMODULE module);

}  // namespace quor
