#include "report/storage/quorSaveAsDialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "report/settings/quorModulePath.h"

namespace quor {

namespace {

std::string InitialFolder() {
  char desktop[MAX_PATH] = {};
  if (SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE)) return desktop;
  const std::string exe = ModulePath(0);
  return exe.substr(0, exe.find_last_of("\\/"));
}

}  // namespace

std::string ChooseSaveFile(HWND parent, const std::string& title, const std::string& proposedName) {
  const std::string folder = InitialFolder();
  std::vector<char> file(32768, '\0');  // room for long paths
  proposedName.copy(file.data(), file.size() - 1);
  // Filter pairs end with an empty string: "description\0pattern\0\0".
  static const char kFilter[] = "*.txt\0*.txt\0";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = parent;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = DWORD(file.size());
  ofn.lpstrInitialDir = folder.c_str();
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = "txt";
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
  if (!GetSaveFileNameA(&ofn)) return {};
  return file.data();
}

}  // namespace quor
