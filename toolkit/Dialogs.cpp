#include "toolkit/Dialogs.h"

#include <commdlg.h>

#include <algorithm>

#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace tk {

namespace {

// The buffer the dialog writes the chosen names into: never less than this,
// and always room for the text it starts with.
constexpr size_t kMinFileBuffer = 32768;

const struct {
  const char* name;
  DWORD flag;
} kDialogOptions[] = {
    {"ofReadOnly", OFN_READONLY},
    {"ofOverwritePrompt", OFN_OVERWRITEPROMPT},
    {"ofHideReadOnly", OFN_HIDEREADONLY},
    {"ofNoChangeDir", OFN_NOCHANGEDIR},
    {"ofShowHelp", OFN_SHOWHELP},
    {"ofNoValidate", OFN_NOVALIDATE},
    {"ofAllowMultiSelect", OFN_ALLOWMULTISELECT},
    {"ofExtensionDifferent", OFN_EXTENSIONDIFFERENT},
    {"ofPathMustExist", OFN_PATHMUSTEXIST},
    {"ofFileMustExist", OFN_FILEMUSTEXIST},
    {"ofCreatePrompt", OFN_CREATEPROMPT},
    {"ofShareAware", OFN_SHAREAWARE},
    {"ofNoReadOnlyReturn", OFN_NOREADONLYRETURN},
    {"ofNoTestFileCreate", OFN_NOTESTFILECREATE},
    {"ofNoNetworkButton", OFN_NONETWORKBUTTON},
    {"ofNoLongNames", OFN_NOLONGNAMES},
    {"ofNoDereferenceLinks", OFN_NODEREFERENCELINKS},
    {"ofEnableIncludeNotify", OFN_ENABLEINCLUDENOTIFY},
    {"ofEnableSizing", OFN_ENABLESIZING},
    {"ofDontAddToRecent", OFN_DONTADDTORECENT},
    {"ofForceShowHidden", OFN_FORCESHOWHIDDEN},
};

}  // namespace

int MessageBoxText(const std::string& text, const std::string& caption, UINT flags) {
  return MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(caption).c_str(), flags);
}

DWORD ValueToDialogOptions(const std::string& prop, const tpf0::Value& v) {
  DWORD flags = 0;
  for (const std::string& name : ValueToSet(prop, v)) {
    const auto* it = std::find_if(std::begin(kDialogOptions), std::end(kDialogOptions),
                                  [&](const auto& o) { return name == o.name; });
    if (it == std::end(kDialogOptions)) throw EReadError("Invalid property value for " + prop + ": " + name);
    flags |= it->flag;
  }
  return flags;
}

BOOL TOpenDialog::Run(OPENFILENAMEW& ofn) const { return GetOpenFileNameW(&ofn); }
BOOL TSaveDialog::Run(OPENFILENAMEW& ofn) const { return GetSaveFileNameW(&ofn); }

bool TOpenDialog::Execute(HWND owner) {
  // The filter: pairs separated by '|' become NUL-separated, NUL-NUL ended.
  std::wstring filter = Wide(Filter);
  for (auto& c : filter)
    if (c == L'|') c = L'\0';
  filter.append(2, L'\0');
  const std::wstring initial = Wide(FileName);
  std::vector<wchar_t> file(std::max(kMinFileBuffer, initial.size() + 1), L'\0');
  std::copy(initial.begin(), initial.end(), file.begin());
  const std::wstring title = Wide(Title), dir = Wide(InitialDir), ext = Wide(DefaultExt);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(FilterIndex, 0));
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER | Options;
  if (!Run(ofn)) return false;
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  Files.clear();
  // Several files: the folder, then each name, NUL-separated, NUL-NUL ended.
  const wchar_t* p = file.data();
  const std::wstring first = p;
  p += first.size() + 1;
  if ((Options & OFN_ALLOWMULTISELECT) && *p) {
    const std::wstring folder = first.back() == L'\\' ? first : first + L'\\';
    for (; *p; p += wcslen(p) + 1) Files.push_back(Narrow(folder + p));
    FileName = Files.front();
  } else {
    FileName = Narrow(first);
    Files.push_back(FileName);
  }
  return true;
}

}  // namespace tk
