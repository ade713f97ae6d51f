// Files by name (UTF-8 names).
#pragma once

#include <string>

namespace tk {

// True when the name is a file: false for an empty name, a name that names
// nothing and a folder.
bool FileExists(const std::string& name);

}  // namespace tk
