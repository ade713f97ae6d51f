#include "toolkit/FileUtils.h"

#include <windows.h>

#include "toolkit/WinText.h"

namespace tk {

bool FileExists(const std::string& name) {
  if (name.empty()) return false;
  const DWORD attributes = GetFileAttributesW(Wide(name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace tk
