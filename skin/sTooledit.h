// The file-name edit: an edit with a folder button at its right end that
// opens the system's open-file dialog and puts the chosen path into the edit.
#pragma once

#include "skin/sCommonData.h"
#include "toolkit/Dialogs.h"
#include "toolkit/StdCtrls.h"

namespace skin {

class TsFilenameEdit : public tk::TEdit {
public:
  explicit TsFilenameEdit(tk::TComponent* owner);
  const char* ClassName() const override { return "TsFilenameEdit"; }

  TsCommonData SkinData;
  std::string Filter = "All files (*.*)|*.*";
  std::string DialogTitle;
  bool GlyphGrayed = true;  // GlyphMode.Grayed: the folder drawn grey while the edit is inactive

  HWND ButtonHandle() const { return button_; }
  // What a click on the folder button does: the dialog, then the chosen path.
  void ButtonClick();
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

protected:
  void CreateWnd() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  void PlaceButton();
  void DrawButton(const DRAWITEMSTRUCT& dis) const;
  HWND button_ = nullptr;
};

}  // namespace skin
