// Message boxes and the open and save file dialogs.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

#include "toolkit/Tpf0.h"

namespace tk {

// A modal message box owned by the active window; returns the button id.
int MessageBoxText(const std::string& text, const std::string& caption, UINT flags);

// The dialog options a layout names (ofHideReadOnly, ofEnableSizing ...) as
// the system's OFN_ flags; raises EReadError for an unknown name.
DWORD ValueToDialogOptions(const std::string& prop, const tpf0::Value& v);
constexpr DWORD kDefaultDialogOptions = OFN_HIDEREADONLY | OFN_ENABLESIZING;

class TOpenDialog {
public:
  virtual ~TOpenDialog() = default;
  std::string Title;
  std::string Filter = "All files (*.*)|*.*";  // description|pattern pairs
  int FilterIndex = 1;
  std::string DefaultExt;
  std::string FileName;
  std::string InitialDir;
  DWORD Options = kDefaultDialogOptions;  // OFN_ flags
  // The files chosen at the last confirmation (one unless multi-select).
  std::vector<std::string> Files;
  // Shows the system's dialog; true when the user confirmed a file.
  bool Execute(HWND owner);

protected:
  virtual BOOL Run(OPENFILENAMEW& ofn) const;
};

class TSaveDialog : public TOpenDialog {
protected:
  BOOL Run(OPENFILENAMEW& ofn) const override;
};

}  // namespace tk
