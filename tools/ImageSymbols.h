// The symbols of a PE image built by the GNU tool chain, as the reporter
// stores them: one public per function with its readable C++ name (the
// parameter list left out), units named after the source file that holds
// each function (without folder), and the line numbers of that file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/symbols/quorMapFile.h"
#include "report/symbols/quorPeImage.h"

namespace sym {

// The readable form of a stored symbol name: the i386 decoration ("_",
// "@n" suffixes) removed, C++ names demangled, the parameter list cut.
[[nodiscard]] std::string ReadableName(std::string_view stored);

// The file name without its folder ("/" or "\").
[[nodiscard]] std::string BaseName(std::string_view path);

// Reads the image's functions and line numbers into map (absolute
// addresses at the image base; CodeStart/CodeEnd/EntryPoint filled).
// False with a message when the image is no PE32 file or has no symbols.
[[nodiscard]] bool ReadImageSymbols(const std::vector<uint8_t>& file, quor::TMapFile& map, std::string& error);

}  // namespace sym
