// The file edits: TsFileDirEdit, a combo edit for paths, and TsFilenameEdit,
// whose yellow-folder button opens the system's file dialog and writes the
// chosen path back. FileName refuses names that are not valid file names.
#pragma once

#include <memory>

#include "skin/sCustomComboEdit.h"
#include "toolkit/Dialogs.h"

namespace skin {

class TsFileDirEdit : public TsCustomComboEdit {
public:
  explicit TsFileDirEdit(tk::TComponent* owner);
  const char* ClassName() const override { return "TsFileDirEdit"; }
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;
};

enum class TFileDialogKind : uint8_t { dkOpen, dkSave };

class TsFilenameEdit : public TsFileDirEdit {
public:
  explicit TsFilenameEdit(tk::TComponent* owner);
  const char* ClassName() const override { return "TsFilenameEdit"; }

  TFileDialogKind DialogKind() const { return dialogKind_; }
  // A new dialog of that kind takes over the old one's settings.
  void SetDialogKind(TFileDialogKind kind);
  // The dialog the button opens: Filter, InitialDir, Options ... live there.
  tk::TOpenDialog& Dialog() { return *dialog_; }

  std::string FileName() const { return Text(); }
  // Raises "Invalid file name" for a non-empty name that is not valid, and
  // then changes nothing.
  void SetFileName(const std::string& name);

  void ButtonClick() override;
  const TsBitmap24& Glyph() const override;
  bool SetProperty(const std::string& name, const tpf0::Value& value) override;

private:
  TFileDialogKind dialogKind_ = TFileDialogKind::dkOpen;
  std::unique_ptr<tk::TOpenDialog> dialog_;
};

}  // namespace skin
