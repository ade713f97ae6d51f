#include "skin/sTooledit.h"

#include "skin/sDefaultGlyphs.h"
#include "toolkit/FileNames.h"
#include "toolkit/SysUtils.h"
#include "toolkit/WinText.h"

namespace skin {

namespace {

constexpr int32_t kFileDirEditKind = 132, kFilenameEditKind = 133;
constexpr int kPathMaxLength = 255;

bool DirectoryExists(const std::string& path) {
  const DWORD a = GetFileAttributesW(tk::Wide(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

TsFileDirEdit::TsFileDirEdit(tk::TComponent* owner) : TsCustomComboEdit(owner) {
  SkinData.ControlKind = static_cast<TsControlKind>(kFileDirEditKind);
  SetMaxLength(kPathMaxLength);
}

bool TsFileDirEdit::SetProperty(const std::string& name, const tpf0::Value& v) {
  // Dropping files is not switched on in this program: the event is only stored.
  if (name == "OnDropFiles") return true;
  return TsCustomComboEdit::SetProperty(name, v);
}

TsFilenameEdit::TsFilenameEdit(tk::TComponent* owner)
    : TsFileDirEdit(owner), dialog_(std::make_unique<tk::TOpenDialog>()) {
  SkinData.ControlKind = static_cast<TsControlKind>(kFilenameEditKind);
}

const TsBitmap24& TsFilenameEdit::Glyph() const {
  // Drawn once, the first time a file-name edit shows its button.
  static const TsBitmap24 openFile = DrawOpenFileGlyph();
  return GlyphMode.UseDefaultGlyph ? openFile : TsCustomComboEdit::Glyph();
}

void TsFilenameEdit::SetDialogKind(TFileDialogKind kind) {
  if (kind == dialogKind_) return;
  std::unique_ptr<tk::TOpenDialog> next;
  if (kind == TFileDialogKind::dkSave)
    next = std::make_unique<tk::TSaveDialog>();
  else
    next = std::make_unique<tk::TOpenDialog>();
  // The new dialog takes over every setting of the old one.
  static_cast<tk::TOpenDialog&>(*next) = static_cast<const tk::TOpenDialog&>(*dialog_);
  dialog_ = std::move(next);
  dialogKind_ = kind;
}

void TsFilenameEdit::SetFileName(const std::string& name) {
  if (!name.empty() && !tk::ValidFileName(name)) throw tk::EConvertError("Invalid file name");
  SetText(name);
  dialog_->Files.clear();
}

void TsFilenameEdit::ButtonClick() {
  if (ReadOnly()) return;
  TsFileDirEdit::ButtonClick();
  std::string text = Text();
  if (tk::ValidFileName(text)) {
    const std::string folder = tk::ExtractFilePath(text);
    if (!folder.empty() && DirectoryExists(folder)) dialog_->InitialDir = folder;
    if (!tk::ValidFileName(tk::ExtractFileName(text))) text.clear();
  } else {
    text.clear();
  }
  dialog_->FileName = text;
  const HWND owner = HandleAllocated() ? GetAncestor(handle_, GA_ROOT) : nullptr;
  const bool confirmed = dialog_->Execute(owner);
  if (HandleAllocated() && IsWindowVisible(handle_) && IsWindowEnabled(handle_)) SetFocus();
  if (!confirmed) return;
  SetText(dialog_->FileName);
  dialog_->InitialDir = tk::ExtractFilePath(dialog_->FileName);
}

bool TsFilenameEdit::SetProperty(const std::string& name, const tpf0::Value& v) {
  tk::TOpenDialog& d = *dialog_;
  if (name == "Filter")
    d.Filter = tk::ValueToString(name, v);
  else if (name == "FilterIndex")
    d.FilterIndex = tk::ValueToInt(name, v);
  else if (name == "DefaultExt")
    d.DefaultExt = tk::ValueToString(name, v);
  else if (name == "InitialDir")
    d.InitialDir = tk::ValueToString(name, v);
  else if (name == "DialogTitle")
    d.Title = tk::ValueToString(name, v);
  else if (name == "DialogOptions")
    d.Options = tk::ValueToDialogOptions(name, v);
  else if (name == "DialogKind") {
    const std::string k = tk::ValueToIdent(name, v);
    if (k != "dkOpen" && k != "dkSave") throw tk::EReadError("Invalid property value for " + name + ": " + k);
    SetDialogKind(k == "dkSave" ? TFileDialogKind::dkSave : TFileDialogKind::dkOpen);
  } else if (name == "HistoryList.Strings") {
    // The dialog keeps no history here.
  } else
    return TsFileDirEdit::SetProperty(name, v);
  return true;
}

}  // namespace skin
