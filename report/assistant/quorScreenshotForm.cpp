#include "report/assistant/quorScreenshotForm.h"

#include <windows.h>

#include <shellapi.h>

#include <optional>

#include "base/WinHandle.h"

namespace quor {

namespace {

constexpr DWORD kFailureBeepHz = 60, kFailureBeepMs = 60;

// What tells an edit apart: the full last-write time and the size (an
// editor may save twice within the two seconds of a DOS time).
struct TFileStamp {
  FILETIME written{};
  ULARGE_INTEGER size{};
  bool operator==(const TFileStamp& o) const {
    return CompareFileTime(&written, &o.written) == 0 && size.QuadPart == o.size.QuadPart;
  }
};

std::optional<TFileStamp> StampOf(const std::string& file) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(file.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  TFileStamp stamp;
  stamp.written = data.ftLastWriteTime;
  stamp.size.HighPart = data.nFileSizeHigh;
  stamp.size.LowPart = data.nFileSizeLow;
  return stamp;
}

class TScreenshotForm {
public:
  explicit TScreenshotForm(IAssistantReport& report) : report_(report) {}

  void OnAction(NVFormModel& form, NVAction action, NVItem* item) {
    switch (action) {
      case nvaCreated:
        if (NVItem* attach = form.Find(kAttachCheck)) attach->checked = report_.AttachesScreenshot();
        break;
      case nvaChanged:
        if (!item)
          TakeEdit();
        else if (item->name == kScreenshotImage && !OpenEditor())
          Beep(kFailureBeepHz, kFailureBeepMs);
        break;
      case nvaClosed:
        Close(form);
        break;
      default:
        break;
    }
  }

private:
  // Saves the picture once, then opens it with the shell's "edit" verb
  // unless the editor opened before still runs.
  bool OpenEditor() {
    if (file_.empty()) {
      const std::shared_ptr<const INVBitmap> picture = report_.Screenshot();
      const std::string file = report_.TempFolder() + kScreenshotBmp;
      if (!picture || !picture->SaveBmp(file)) return false;
      stamp_ = StampOf(file);
      file_ = file;
    }
    if (editor_ && WaitForSingleObject(editor_.get(), 0) == WAIT_TIMEOUT) return true;
    SHELLEXECUTEINFOA run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    run.lpVerb = "edit";
    run.lpFile = file_.c_str();
    run.nShow = SW_SHOWMAXIMIZED;
    if (!ShellExecuteExA(&run)) return false;
    // Windows: no process handle when the file went to a running program
    // (DDE); then every click opens it again.
    editor_.reset(run.hProcess);
    return true;
  }

  // A saved edit replaces the screenshot. A file that cannot be read whole
  // (the editor still writing) is tried again on the next tick.
  void TakeEdit() {
    if (file_.empty()) return;
    const std::optional<TFileStamp> now = StampOf(file_);
    if (!now || (stamp_ && *now == *stamp_)) return;
    std::shared_ptr<const INVBitmap> edited = LoadBitmapFile(file_);
    if (!edited) return;
    stamp_ = now;
    report_.SetScreenshot(std::move(edited));
  }

  void Close(const NVFormModel& form) {
    // An edit saved just before Continue still counts: what the user
    // blacked out must not leave in the original.
    TakeEdit();
    editor_.reset();  // the editor keeps running; only the handle goes
    if (!file_.empty()) DeleteFileA(file_.c_str());
    file_.clear();
    if (const NVItem* attach = form.Find(kAttachCheck)) report_.SetAttachScreenshot(attach->checked);
  }

  IAssistantReport& report_;
  std::string file_;  // the BMP the editor got; empty before the first click
  std::optional<TFileStamp> stamp_;
  base::KernelHandle editor_;
};

}  // namespace

NVActionHandler ScreenshotFormHandler(IAssistantReport& report) {
  auto form = std::make_shared<TScreenshotForm>(report);
  return [form](NVFormModel& model, NVAction action, NVItem* item) { form->OnAction(model, action, item); };
}

}  // namespace quor
