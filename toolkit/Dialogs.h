// Message boxes and the open-file dialog.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

// A modal message box owned by the active window; returns the button id.
int MessageBoxText(const std::string& text, const std::string& caption, UINT flags);

class TOpenDialog {
public:
  std::string Title;
  std::string Filter = "All files (*.*)|*.*";  // description|pattern pairs
  std::string FileName;
  std::string InitialDir;
  // Shows the system's open dialog; true when the user chose a file.
  bool Execute(HWND owner);
};

}  // namespace tk
