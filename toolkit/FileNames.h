// File names as text: validity, folder and name parts, one-line text.
// Platform-free.
#pragma once

#include <string>

namespace tk {

// Not empty, and none of < > " | * ? / nor a character below 32 (colon and
// backslash are allowed).
bool ValidFileName(const std::string& name);
// The folder part with its trailing separator (up to the last \ or :), and the rest.
std::string ExtractFilePath(const std::string& name);
std::string ExtractFileName(const std::string& name);
// The text without characters below 32: what a one-line field may hold.
std::string OneLineText(const std::string& text);

}  // namespace tk
