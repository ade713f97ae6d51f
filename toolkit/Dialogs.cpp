#include "toolkit/Dialogs.h"

#include <commdlg.h>

#include <vector>

#include "toolkit/WinText.h"

namespace tk {

int MessageBoxText(const std::string& text, const std::string& caption, UINT flags) {
  return MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(caption).c_str(), flags);
}

bool TOpenDialog::Execute(HWND owner) {
  // The filter: pairs separated by '|' become NUL-separated, NUL-NUL ended.
  std::wstring filter = Wide(Filter);
  for (auto& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring initial = Wide(FileName);
  if (initial.size() < file.size()) std::copy(initial.begin(), initial.end(), file.begin());
  const std::wstring title = Wide(Title), dir = Wide(InitialDir);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (!GetOpenFileNameW(&ofn)) return false;
  FileName = Narrow(file.data());
  return true;
}

}  // namespace tk
