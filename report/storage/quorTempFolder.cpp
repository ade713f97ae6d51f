#include "report/storage/quorTempFolder.h"

#include <windows.h>

#include "base/WinHandle.h"
#include "report/settings/quorModulePath.h"

namespace quor {

namespace {

// Without the trailing "\".
std::string FolderPath() {
  char temp[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof temp, temp);
  std::string folder = length && length < sizeof temp ? std::string(temp, length) : std::string(".\\");
  if (folder.back() != '\\') folder += '\\';
  std::string name = ModulePath(0);
  name.erase(0, name.find_last_of("\\/") + 1);  // npos + 1 == 0: no folder
  if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
  return folder + name + ".QuorExcept";
}

}  // namespace

std::string TempFolder() {
  const std::string folder = FolderPath();
  // The platform's temporary folder may be missing too (a deleted %TEMP%).
  CreateDirectoryA(folder.substr(0, folder.find_last_of('\\')).c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + '\\';
}

void ClearTempFolder() {
  const std::string folder = FolderPath();
  WIN32_FIND_DATAA found;
  if (const base::FindHandle find(FindFirstFileA((folder + "\\*").c_str(), &found)); find) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      const std::string file = folder + '\\' + found.cFileName;
      // A read-only file would stay and keep the folder.
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file.c_str());
    } while (FindNextFileA(find.get(), &found));
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace quor
